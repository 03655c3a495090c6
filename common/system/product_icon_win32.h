#pragma once
// The product's icons, read from the installed programs.
#include <windows.h>

// Icon id (100 when 0) from "Camfolio.exe" (fromMapper) or "CamfolioFmt.exe",
// loaded as a data file; small is 16 x 16, otherwise the system's icon size.
// The caller destroys the icon; null when it cannot be had.
HICON LoadTheIcon(bool fromMapper, bool small, int iconId);
