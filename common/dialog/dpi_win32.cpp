#include "common/dialog/dpi_win32.h"

#include "common/win32/ownership_win32.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up once: XP, and Wine before its DPI support, lack it.
GetDpiForWindowFunction GetDpiForWindowOfSystem() {
    static const auto function = reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}

UINT DpiOfContext(HDC context) {
    const int dpi = context != nullptr ? GetDeviceCaps(context, LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

}  // namespace

UINT DpiOfWindow(HWND window) {
    if (const GetDpiForWindowFunction function = GetDpiForWindowOfSystem(); function != nullptr) {
        if (const UINT dpi = function(window); dpi != 0) {
            return dpi;
        }
    }
    const WindowDc context(window);
    return DpiOfContext(context.Get());
}

UINT SystemDpi() {
    const WindowDc screen(nullptr);
    return DpiOfContext(screen.Get());
}
