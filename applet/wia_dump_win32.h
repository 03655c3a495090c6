#pragma once
// The Settings page's WIA dump: one at a time per process, on a thread of
// its own that asks for the file in a save dialog over the page and writes
// the listing into it. The thread tells the page that it has ended by
// posting kWiaDumpEnded, so that the page re-enables its button itself.
#include <windows.h>

inline constexpr UINT kWiaDumpEnded = WM_APP + 1;
// The thread's exit code.
inline constexpr DWORD kWiaDumpExitCode = 0xDEAD000A;

// Starts a dump over page unless one runs in this process; false when none
// was started.
bool StartWiaDump(HWND page);
