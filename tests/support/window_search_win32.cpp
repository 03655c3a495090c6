#include "tests/support/window_search_win32.h"

#include <array>
#include <string_view>

#include "common/win32/wide_win32.h"

namespace {

struct Search {
    const WindowQuery* query;
    HWND found;
};

struct ClassSearch {
    const wchar_t* className;
    HWND found;
};

bool HasClass(HWND window, std::wstring_view className) {
    std::array<wchar_t, 64> name{};
    GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return std::wstring_view(name.data()) == className;
}

bool IsDialogTitled(HWND window, const char16_t* title) {
    if (!HasClass(window, L"#32770")) {
        return false;
    }
    if (title == nullptr) {
        return true;
    }
    std::array<wchar_t, 256> text{};
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return std::u16string_view(AsU16(text.data())) == title;
}

BOOL CALLBACK Match(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    const WindowQuery& query = *search->query;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != query.processId || !IsWindowVisible(window)) {
        return TRUE;
    }
    if ((query.dialogOnly || query.title != nullptr) && !IsDialogTitled(window, query.title)) {
        return TRUE;
    }
    if (query.owner != nullptr && GetWindow(window, GW_OWNER) != query.owner) {
        return TRUE;
    }
    if (query.controlId != 0 && GetDlgItem(window, query.controlId) == nullptr) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

BOOL CALLBACK MatchClass(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ClassSearch*>(param);
    if (HasClass(window, search->className)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        // Wakes for the thread's own messages, else looks again shortly.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

HWND FindTopLevelWindow(const WindowQuery& query) {
    Search search{&query, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindDescendant(HWND parent, const wchar_t* className) {
    ClassSearch search{className, nullptr};
    EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
