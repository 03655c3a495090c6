#pragma once
// The built Camfolio.cpl loaded as the Control Panel loads it, and helpers
// to find its windows from another thread while its dialog runs.
#include <windows.h>

#include <cpl.h>

#include "tests/support/window_search_win32.h"

class AppletLibrary {
  public:
    AppletLibrary();
    ~AppletLibrary();
    AppletLibrary(const AppletLibrary&) = delete;
    AppletLibrary& operator=(const AppletLibrary&) = delete;

    bool IsLoaded() const { return entry_ != nullptr; }
    LONG Send(UINT message, LPARAM first = 0, LPARAM second = 0, HWND window = nullptr) const;

  private:
    HMODULE module_ = nullptr;
    APPLET_PROC entry_ = nullptr;
};

// The applet's visible main dialog in this process, null when there is none.
HWND FindMainDialog();
// The page of dialog that holds a control with controlId, null when none.
HWND FindPage(HWND dialog, int controlId);
