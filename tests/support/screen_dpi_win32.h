#pragma once
// Running a test at another screen resolution. Wine reads the resolution
// ("LogPixels" in HKEY_CURRENT_USER\Control Panel\Desktop) when a process
// starts and, unless a program says otherwise, makes every process aware of
// it; so the test runs again in a process started while the value is set.
#include <windows.h>

#include <optional>

// The resolution this process was started at by RunCurrentTestAtDpi; nullopt
// in the test's own run.
std::optional<UINT> TestScreenDpi();

// Runs the current test alone in this program started at dpi; the value the
// registry held before is back afterwards. The child's exit code, nullopt
// when it could not be run.
std::optional<DWORD> RunCurrentTestAtDpi(UINT dpi);

// While it lives, this thread's new windows are unaware of the screen's
// resolution (Wine draws them at 96 DPI) or aware of the system's, and so are
// the sizes it reads; then the thread's previous awareness returns.
class ThreadDpiAwareness {
  public:
    enum Kind { kUnaware, kSystemAware };
    explicit ThreadDpiAwareness(Kind kind);
    ~ThreadDpiAwareness();
    ThreadDpiAwareness(const ThreadDpiAwareness&) = delete;
    ThreadDpiAwareness& operator=(const ThreadDpiAwareness&) = delete;

    bool IsSet() const { return previous_ != nullptr; }

  private:
    HANDLE previous_ = nullptr;
};
