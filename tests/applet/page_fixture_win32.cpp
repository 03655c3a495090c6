#include "tests/applet/page_fixture_win32.h"

#include <array>
#include <string_view>

std::u16string ItemText(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}

bool ItemEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

namespace {

struct ClassSearch {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ClassSearch*>(param);
    std::array<wchar_t, 64> name{};
    GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    if (std::wstring_view(name.data()) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindDescendant(HWND parent, const wchar_t* className) {
    ClassSearch search{className, nullptr};
    EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
