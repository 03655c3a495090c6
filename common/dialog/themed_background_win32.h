#pragma once
// Paints a dialog like the body of a tab control while a visual style is
// active: the "TAB" theme's pane is rendered once into an off-screen bitmap;
// erasing copies it, and static controls and buttons get a pattern brush
// cut from it so their backgrounds match.
#include <windows.h>

#include <optional>

#include "common/win32/ownership_win32.h"

class ThemedBackground {
  public:
    ThemedBackground() = default;
    ~ThemedBackground() { Release(); }
    ThemedBackground(const ThemedBackground&) = delete;
    ThemedBackground& operator=(const ThemedBackground&) = delete;

    // Renders the pane for window into a bitmap of size; nothing without an
    // active visual style or the "TAB" theme.
    void Prepare(HWND window, SIZE size);
    // True when the window's background was painted from the bitmap.
    bool Erase(HWND window, HDC context) const;
    // The brush for a static control or button, null for the default colours.
    HBRUSH ControlColour(HWND window, HDC controlContext, HWND control);
    void Release();

  private:
    // Declared in the order they are made: the bitmap is selected out of the
    // context before either goes.
    UniqueMemoryDc context_;
    UniqueGdiObject bitmap_;
    std::optional<SelectedObject> selectedBitmap_;
    UniqueGdiObject controlBrush_;
};
