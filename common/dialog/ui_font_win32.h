#pragma once
// Fonts derived from the system's user-interface fonts.
#include <windows.h>

#include "common/win32/ownership_win32.h"

struct UiFontStyle {
    bool menuFont = false;  // the menu font, else the message font
    bool underline = false;
    bool bold = false;
    bool enlarge = false;  // x 1.1 (Vista and later) or x 1.2
    bool shrink = false;   // / 1.2, after enlarging
    // The face instead of the system's; null keeps it.
    const wchar_t* faceName = nullptr;
    // Sized for a window of this resolution (DpiOfWindow); 0: the system's.
    UINT dpi = 0;
};

// The font, or null when the system's metrics cannot be read; the caller owns it.
HFONT CreateUiFont(const UiFontStyle& style);
