#include "common/dialog/theme_library_win32.h"

ThemeLibrary* ThemeLibrary::current_ = nullptr;

ThemeLibrary::ThemeLibrary() : library_(LoadLibraryW(L"UxTheme.dll")) {
    if (library_.IsValid()) {
        isThemeActive_ = GetProcAddress(library_.Get(), "IsThemeActive");
    }
    current_ = this;
}

ThemeLibrary::~ThemeLibrary() {
    if (current_ == this) {
        current_ = nullptr;
    }
}

FARPROC ThemeLibrary::Lookup(const char* name) const {
    return library_.IsValid() ? GetProcAddress(library_.Get(), name) : nullptr;
}

bool ThemeLibrary::IsThemeActive() const {
    FARPROC function = isThemeActive_ != nullptr ? isThemeActive_ : Lookup("IsThemeActive");
    if (function == nullptr) {
        return false;
    }
    return reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(function))() != FALSE;
}

HTHEME ThemeLibrary::OpenThemeData(HWND window, const wchar_t* classList) const {
    using Function = HTHEME(WINAPI*)(HWND, LPCWSTR);
    FARPROC function = Lookup("OpenThemeData");
    return function != nullptr
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(function))(window, classList)
               : nullptr;
}

HRESULT ThemeLibrary::DrawThemeBackground(HTHEME theme, HDC context, int part, int state,
                                          const RECT* rect, const RECT* clip) const {
    using Function = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
    FARPROC function = Lookup("DrawThemeBackground");
    return function != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(function))(
                                     theme, context, part, state, rect, clip)
                               : E_NOTIMPL;
}

void ThemeLibrary::CloseThemeData(HTHEME theme) const {
    using Function = HRESULT(WINAPI*)(HTHEME);
    if (FARPROC function = Lookup("CloseThemeData")) {
        reinterpret_cast<Function>(reinterpret_cast<void*>(function))(theme);
    }
}

bool ThemeIsActive() {
    const ThemeLibrary* library = ThemeLibrary::Current();
    return library != nullptr && library->IsThemeActive();
}
