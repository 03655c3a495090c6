// Controls of the About page.
#pragma once

#define IDC_ABOUT_NOTICES_TABS 1020
#define IDC_ABOUT_NOTICE 1021
#define IDC_ABOUT_THIRD_PARTIES 1022
#define IDC_ABOUT_OPEN_DATA 1057
