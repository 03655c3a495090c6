// CamfolioFmt.exe: the Filename Format Builder.
#include <windows.h>

#include "builder/app/camfolio_fmt_app_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR commandLine, int /*show*/) {
    CCamfolioFmtApp app;
    return app.Run(instance, commandLine);
}
