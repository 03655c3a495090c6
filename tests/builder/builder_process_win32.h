#pragma once
// The builder as the applet runs it: a separate process started with a
// command line, its windows found by process, class and title, and a
// receiver window in the test's process for its hand-back. Every wait pumps
// the test's own messages (the builder sends to the receiver synchronously)
// and ends at a deadline.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/format/copy_data_text.h"
#include "common/win32/ownership_win32.h"
#include "tests/support/window_search_win32.h"

// A top-level frame holding a child dialog, as the applet's main dialog holds
// the Profiles page: the page is the builder's target and records every
// WM_COPYDATA it receives, the frame owns the builder's dialog.
class Receiver {
  public:
    struct Message {
        std::uintptr_t kind;
        DWORD bytes;
        CopyDataText text;
    };

    Receiver();
    ~Receiver();
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;

    // The page, the window whose handle the builder gets.
    HWND Hwnd() const { return page_; }
    HWND Frame() const { return frame_; }
    // " %08X" of the page's handle, as the applet writes it.
    std::u16string HexHandle(bool lowerCase = false) const;
    const std::vector<Message>& Received() const { return received_; }

  private:
    static INT_PTR CALLBACK PageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND frame_ = nullptr;
    HWND page_ = nullptr;
    std::vector<Message> received_;
};

class BuilderProcess {
  public:
    // Starts the build tree's CamfolioFmt.exe as it ships, with arguments
    // after its path.
    explicit BuilderProcess(const std::u16string& arguments);
    // Ends a builder that is still running.
    ~BuilderProcess();
    BuilderProcess(const BuilderProcess&) = delete;
    BuilderProcess& operator=(const BuilderProcess&) = delete;

    bool Started() const { return process_.IsValid(); }
    bool Is32Bit() const;
    // The first visible window of the process with class #32770 and the
    // title (and, when given, the owner); null when none appears in time.
    HWND WaitForDialog(const std::u16string& title, HWND owner = nullptr);
    // The exit code, or nothing when the process is still running at the end.
    // sawWindow, when given, tells whether any window of the process was
    // visible meanwhile.
    std::optional<DWORD> WaitForExit(bool* sawWindow = nullptr);
    // As WaitForExit, but handles none of this thread's messages meanwhile, so
    // that its windows do not answer: a hung applet.
    std::optional<DWORD> WaitForExitUnanswered(std::chrono::milliseconds timeout);

  private:
    UniqueHandle process_;
    DWORD processId_ = 0;
};

// The text of a control in another process.
std::u16string ItemText(HWND dialog, int id);
// A button's click as the dialog manager reports it, posted so that a modal
// loop it starts does not hold the test.
void Click(HWND dialog, int id);
