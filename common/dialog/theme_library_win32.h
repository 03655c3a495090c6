#pragma once
// Run-time binding of the visual-styles library, so that the programs also
// start where it is missing. One instance per process, made at start-up.
#include <windows.h>

#include <uxtheme.h>

#include "common/win32/ownership_win32.h"

class ThemeLibrary {
  public:
    ThemeLibrary();
    ~ThemeLibrary();
    ThemeLibrary(const ThemeLibrary&) = delete;
    ThemeLibrary& operator=(const ThemeLibrary&) = delete;

    // The process's instance, null outside its lifetime.
    static ThemeLibrary* Current() { return current_; }

    bool IsThemeActive() const;
    HTHEME OpenThemeData(HWND window, const wchar_t* classList) const;
    HRESULT DrawThemeBackground(HTHEME theme, HDC context, int part, int state, const RECT* rect,
                                const RECT* clip) const;
    void CloseThemeData(HTHEME theme) const;

  private:
    FARPROC Lookup(const char* name) const;

    UniqueModule library_;
    FARPROC isThemeActive_ = nullptr;
    static ThemeLibrary* current_;
};

// True while a visual style is active; false without the library.
bool ThemeIsActive();
