#pragma once
// What a Control Panel entry opens: a dialog run modally over the Control
// Panel's window, starting on a given page.
#include <windows.h>

class AppletDialog {
  public:
    virtual ~AppletDialog() = default;
    // The code the dialog ended with, -1 when it could not be shown.
    virtual INT_PTR Run(HWND parent, int startPage) = 0;
};
