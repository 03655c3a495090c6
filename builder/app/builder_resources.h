// Resource ids of CamfolioFmt.exe (used by the .rc file and the code).
#pragma once

#define IDD_CAMFOLIO_FMT 102
#define IDD_RANGE 133
#define IDD_DIGITS 134
#define IDI_BUILDER 100        // the window icon when the mapper's cannot be had
#define IDI_BUILDER_ENTRY 110  // the Control Panel entry's icon, read by the applet
