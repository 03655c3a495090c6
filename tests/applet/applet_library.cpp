#include "tests/applet/applet_library.h"

#include <chrono>
#include <string>
#include <thread>

#include "common/wide_win32.h"
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

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

namespace {

struct Search {
    int controlId;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    wchar_t title[32] = {};
    GetClassNameW(window, className, 16);
    GetWindowTextW(window, title, 32);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        std::wstring(className) == L"#32770" && std::wstring(title) == L"Camfolio") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindChild(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (GetDlgItem(window, search->controlId) != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindMainDialog() {
    Search search{0, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindPage(HWND dialog, int controlId) {
    Search search{controlId, nullptr};
    EnumChildWindows(dialog, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
