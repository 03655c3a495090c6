// Controls of the main dialog.
#pragma once

#define IDC_MAIN_LINK 1000
#define IDC_MAIN_VERSION 1001
#define IDC_MAIN_PRODUCT 1002
#define IDC_MAIN_CHECK_UPDATE 1003
#define IDC_MAIN_LOGO 1009
#define IDC_MAIN_TABS 1071
#define IDC_MAIN_APPLY 12321
