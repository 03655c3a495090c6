// Controls of the Range Selector.
#pragma once

#define IDC_RANGE_NAME 1033
#define IDC_RANGE_LABEL 1053
