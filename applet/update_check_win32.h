#pragma once
// The main dialog's version check: one at a time per process, on a thread of
// its own, which tells the user the result in a message box and enables the
// button again. A dialog that closes first stops the check: the thread then
// leaves the dialog alone and ends within a fraction of a second.
#include <windows.h>

#include <atomic>
#include <memory>

#include "common/win32/ownership_win32.h"
#include "update/http_connection_win32.h"

class UpdateCheck {
  public:
    UpdateCheck() = default;
    ~UpdateCheck() { Stop(); }
    UpdateCheck(const UpdateCheck&) = delete;
    UpdateCheck& operator=(const UpdateCheck&) = delete;

    // The button's handler: starts a check unless one is running in this
    // process, with the button disabled until it ends.
    void Start(HWND dialog, int buttonId, const HttpTimeouts& timeouts = {});
    // The dialog is closing: the check touches it no more; waits for the
    // thread a few seconds at most.
    void Stop();

  private:
    std::shared_ptr<std::atomic<bool>> stopped_;
    UniqueHandle thread_;
};

// The thread's exit code.
inline constexpr DWORD kUpdateCheckExitCode = 0xDEAD0009;
