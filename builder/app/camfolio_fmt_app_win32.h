#pragma once
// The builder's start-up: reads the command line, shows the dialog over the
// window that started it and, on OK, hands the format back to that window.
#include <windows.h>

#include <string>

class CCamfolioFmtApp {
  public:
    // commandLine: the text after the program's path. Answers the exit code,
    // which is 0 also when there is nothing to do.
    int Run(HINSTANCE instance, const wchar_t* commandLine);
};

// How long the hand-back waits for the applet: a hung applet must not hold
// an invisible builder for ever.
inline constexpr UINT kHandBackTimeoutMs = 5000;

// Sends the format to target as WM_COPYDATA (data kind 1, UTF-16 with its
// terminator) and waits until target has read it, at most kHandBackTimeoutMs.
// false when target did not answer in time or is gone: the format is lost.
bool SendHandBack(HWND target, const std::u16string& format);
