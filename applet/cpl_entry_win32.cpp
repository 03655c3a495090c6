// The library's one export: the Control Panel drives the applet through it.
#include <windows.h>

#include "applet/app_win32.h"

namespace {
CApp theApp;
}  // namespace

extern "C" __declspec(dllexport) LONG APIENTRY
    CPlApplet(HWND window, UINT message, LPARAM first, LPARAM second) {
    return theApp.OnCplMessage(window, message, first, second);
}
