// Resource ids of the applet module (used by the .rc file and the code).
#pragma once

#define IDS_APPLET 100         // "Camfolio\nCamfolio Settings": name and description
#define IDS_APPLET_TITLE 101   // "Camfolio Settings"
#define IDI_APPLET_WINDOW 100  // the dialog's window icon (left to the system)
#define IDR_LOGO_PNG 109       // resource type "PNG"

#define IDD_MAIN 149
#define IDD_SETTINGS_PAGE 132
#define IDD_PROFILES_PAGE 148
#define IDD_ABOUT_PAGE 134
