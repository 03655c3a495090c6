#include "tests/support/message_box_watcher_win32.h"

#include <chrono>

#include "common/wide_win32.h"

namespace {

constexpr int kMessageTextId = 0xFFFF;

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process == search->process && IsWindowVisible(window) &&
        std::wstring(className) == L"#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::u16string TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return AsU16(text);
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher() : thread_([this] { Watch(); }) {}

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
        Search search{GetCurrentProcessId(), nullptr};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            const HWND message = GetDlgItem(search.found, kMessageTextId);
            {
                std::lock_guard lock(mutex_);
                boxes_.push_back({TextOf(search.found), message ? TextOf(message) : u""});
            }
            SendMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            // Wait until the box is gone before looking for the next one.
            for (int i = 0; i < 200 && IsWindow(search.found); ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
