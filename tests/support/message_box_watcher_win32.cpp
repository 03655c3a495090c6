#include "tests/support/message_box_watcher_win32.h"

#include <chrono>

#include "common/win32/wide_win32.h"
#include "tests/support/window_search_win32.h"

namespace {

constexpr int kMessageTextId = 0xFFFF;

std::u16string TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return AsU16(text);
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(int answer) : answer_(answer), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<MessageBoxWatcher::Box> MessageBoxWatcher::Boxes() {
    std::lock_guard lock(mutex_);
    return boxes_;
}

void MessageBoxWatcher::Watch() {
    while (!stop_) {
        // Only message boxes: the program's own dialogs are left alone.
        const HWND box = FindTopLevelWindow({.dialogOnly = true, .controlId = kMessageTextId});
        if (box != nullptr) {
            const HWND message = GetDlgItem(box, kMessageTextId);
            {
                std::lock_guard lock(mutex_);
                boxes_.push_back({TextOf(box), message ? TextOf(message) : u""});
            }
            SendMessageW(box, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED), 0);
            // Wait until the box is gone before looking for the next one.
            for (int i = 0; i < 200 && IsWindow(box); ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
