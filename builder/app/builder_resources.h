// Resource ids of CamfolioFmt.exe (used by the .rc file and the code).
#pragma once

#include "common/system/product_icon_ids.h"  // IDI_PRODUCT, IDI_BUILDER_ENTRY

#define IDD_CAMFOLIO_FMT 102
#define IDD_RANGE 133
#define IDD_DIGITS 134
