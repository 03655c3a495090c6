#pragma once
// Finding a program's windows and waiting for a condition, for tests that
// drive real windows: every wait pumps the calling thread's messages (a
// window of the test may be sent to synchronously) and ends at a deadline.
#include <windows.h>

#include <chrono>
#include <functional>

inline constexpr std::chrono::milliseconds kWindowWait{20000};

// Handles the thread's pending messages, then waits for more until condition
// holds or the timeout has passed.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = kWindowWait);

struct WindowQuery {
    DWORD processId = GetCurrentProcessId();
    bool dialogOnly = false;          // class "#32770"
    const char16_t* title = nullptr;  // a dialog with this title
    HWND owner = nullptr;             // owned by this window
    int controlId = 0;                // holding a control with this id
};

// The first visible top-level window that fits the query, null when none.
HWND FindTopLevelWindow(const WindowQuery& query);

// The first window below parent (at any depth) of the given class, null when none.
HWND FindDescendant(HWND parent, const wchar_t* className);
