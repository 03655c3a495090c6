#pragma once
// The applet's application object: one per process, made when the library
// is loaded. CPL_INIT attaches to the shared block and starts the window
// services; CPL_EXIT undoes it.
#include <memory>
#include <optional>

#include "applet/control_panel_app_win32.h"
#include "applet/ui/activation_context_win32.h"
#include "applet/ui/gdiplus_session_win32.h"
#include "common/dialog/theme_library_win32.h"
#include "state/super_globals_win32.h"

class CApp : public CControlPanelApp {
  public:
    CApp() = default;
    ~CApp() override;

    LONG OnInit() override;
    LONG OnExit() override;
    LONG OnCplMessage(HWND window, UINT message, LPARAM first, LPARAM second) override;

  private:
    // Undoes the start-up: the shared block, the trace writer, the catalogue,
    // the visual-styles binding and GDI+.
    void ShutDown();

    ActivationContext activationContext_;
    std::unique_ptr<ThemeLibrary> themeLibrary_;
    std::optional<GdiplusSession> gdiplus_;
    std::unique_ptr<CSuperGlobals> superGlobals_;
};

// The applet module's instance handle (resources, icons, dialogs).
HINSTANCE AppletInstance();
