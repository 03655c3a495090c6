// Controls of the Digits Selector.
#pragma once

#define IDC_DIGITS_SLIDER 1037
#define IDC_DIGITS_POSITION 1038
#define IDC_DIGITS_LABEL 1052
