#pragma once
// The resolution a window is drawn at, and the sizes our own drawing is
// designed in (pixels at 96 DPI) scaled to it.
#include <windows.h>

inline constexpr UINT kDesignDpi = 96;

// GetDpiForWindow where the system has it (Windows 10 1607 and later), else
// the LOGPIXELSY of the window's device context; 96 when neither answers.
UINT DpiOfWindow(HWND window);

// The LOGPIXELSY of the screen: the resolution the system metrics and fonts
// of SystemParametersInfo are given in for this thread.
UINT SystemDpi();

// A length in pixels at 96 DPI, at dpi.
inline int ScaleToDpi(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}
