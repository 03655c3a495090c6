#include "applet/app_win32.h"

#include "applet/applet_resources.h"
#include "applet/main_dlg_win32.h"
#include "diag/trace/trace.h"

namespace {

constexpr char16_t kInitTag[] = u"CPL7@CApp::OnInit: ";
constexpr char16_t kExitTag[] = u"CPL8@CApp::OnExit: ";
constexpr int kManifestId = 2;  // a library's own manifest

std::unique_ptr<AppletDialog> CreateMainDialog() {
    return std::make_unique<CMainDlg>(AppletInstance());
}

}  // namespace

HINSTANCE AppletInstance() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&AppletInstance), &module);
    return module;
}

CApp::~CApp() {
    // Only a host that skipped CPL_EXIT gets here with the block attached,
    // under the loader lock: stopping the trace writer there would hang, and
    // the process's end releases the block anyway.
    static_cast<void>(superGlobals_.release());
}

LONG CApp::OnInit() {
    RemoveApplets();
    AddApplet(
        std::make_unique<CControlPanelApplet>(AppletInstance(), IDS_APPLET, &CreateMainDialog));
    activationContext_.Create(AppletInstance(), kManifestId);
    {
        // The visual-styles library must match the common controls of the
        // applet's manifest.
        ActivationContext::Scope scope(activationContext_);
        themeLibrary_ = std::make_unique<ThemeLibrary>();
    }
    gdiplus_.emplace();

    superGlobals_ = std::make_unique<CSuperGlobals>();
    superGlobals_->Init();
    TraceEnter(kInitTag);
    if (superGlobals_->IsInitialized(true) == 0) {
        TraceReturn(kInitTag, 1, 0, u"not initialised");
        // The Control Panel frees the library without CPL_EXIT after a
        // refusal: nothing of ours may outlive this answer, above all not
        // the trace writer thread.
        ShutDown();
        return 0;
    }
    const LONG count = CControlPanelApp::OnInit();
    TraceLeave(kInitTag);
    return count;
}

LONG CApp::OnExit() {
    if (superGlobals_) {
        TraceEnter(kExitTag);
        TraceLeave(kExitTag);
    }
    ShutDown();
    return 1;
}

void CApp::ShutDown() {
    if (superGlobals_) {
        superGlobals_->DeInit();
        superGlobals_.reset();
    }
    themeLibrary_.reset();
    gdiplus_.reset();
}

LONG CApp::OnCplMessage(HWND window, UINT message, LPARAM first, LPARAM second) {
    if (message == CPL_DBLCLK || message == CPL_STARTWPARMSW) {
        ActivationContext::Scope scope(activationContext_);
        return CControlPanelApp::OnCplMessage(window, message, first, second);
    }
    return CControlPanelApp::OnCplMessage(window, message, first, second);
}
