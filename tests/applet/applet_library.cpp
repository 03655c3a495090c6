#include "tests/applet/applet_library.h"

#include <string>

#include "common/win32/wide_win32.h"
#include "tests/support/test_installation_win32.h"

AppletLibrary::AppletLibrary() {
    const std::u16string path = BuildTreeFolder(u"applet") + u"\\Camfolio.cpl";
    module_ = LoadLibraryW(AsWide(path.c_str()));
    if (module_ != nullptr) {
        entry_ = reinterpret_cast<APPLET_PROC>(
            reinterpret_cast<void*>(GetProcAddress(module_, "CPlApplet")));
    }
}

AppletLibrary::~AppletLibrary() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

LONG AppletLibrary::Send(UINT message, LPARAM first, LPARAM second, HWND window) const {
    return entry_(window, message, first, second);
}

HWND FindMainDialog() {
    return FindTopLevelWindow({.title = u"Camfolio"});
}

namespace {

struct Search {
    int controlId;
    HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (GetDlgItem(window, search->controlId) != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindPage(HWND dialog, int controlId) {
    Search search{controlId, nullptr};
    EnumChildWindows(dialog, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
