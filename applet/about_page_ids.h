// Controls of the About page.
#pragma once

#define IDC_ABOUT_NOTICES_TABS 1020
#define IDC_ABOUT_NOTICE 1021
#define IDC_ABOUT_THIRD_PARTIES 1022
#define IDC_ABOUT_OPEN_DATA 1057

// The licence notices: resources of type "TXT", 8-bit text with CR LF line
// ends and no terminator.
#define IDR_NOTICE_DOKAN 137
#define IDR_NOTICE_OPENSSL 138
