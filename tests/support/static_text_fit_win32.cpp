#include "tests/support/static_text_fit_win32.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "tests/support/u16.h"

namespace {

struct Search {
    std::vector<std::string> cut;
    int checked = 0;
};

bool IsStatic(HWND window) {
    std::array<wchar_t, 32> name{};
    GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return CompareStringOrdinal(name.data(), -1, L"Static", -1, TRUE) == CSTR_EQUAL;
}

// The DrawText flags the control draws its caption with; none for the styles
// that show no text (frames, pictures, owner-drawn).
std::optional<UINT> CaptionFlags(LONG_PTR style) {
    UINT flags = DT_CALCRECT | DT_EXPANDTABS | ((style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0);
    switch (style & SS_TYPEMASK) {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT:
            return flags | DT_WORDBREAK;
        case SS_LEFTNOWORDWRAP:
        case SS_SIMPLE:
            return flags | DT_SINGLELINE;
        default:
            return std::nullopt;
    }
}

void Check(HWND control, Search& search) {
    const std::optional<UINT> flags = CaptionFlags(GetWindowLongPtrW(control, GWL_STYLE));
    std::array<wchar_t, 512> text{};
    const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    if (!flags || length == 0 || !IsWindowVisible(control)) {
        return;
    }
    RECT client{};
    GetClientRect(control, &client);
    RECT needed{0, 0, client.right, 0};
    {
        const WindowDc context(control);
        const SelectedObject font(
            context.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
        DrawTextW(context.Get(), text.data(), length, &needed, *flags);
    }
    ++search.checked;
    if (needed.right <= client.right && needed.bottom <= client.bottom) {
        return;
    }
    search.cut.push_back("id " + std::to_string(GetDlgCtrlID(control)) + " \"" +
                         Narrow(AsU16(std::wstring_view(text.data(), length))) + "\" needs " +
                         std::to_string(needed.right) + "x" + std::to_string(needed.bottom) +
                         ", has " + std::to_string(client.right) + "x" +
                         std::to_string(client.bottom));
}

BOOL CALLBACK CheckIfStatic(HWND window, LPARAM param) {
    if (IsStatic(window)) {
        Check(window, *reinterpret_cast<Search*>(param));
    }
    return TRUE;
}

}  // namespace

std::vector<std::string> CutStaticCaptions(HWND window, int* checked) {
    Search search;
    EnumChildWindows(window, CheckIfStatic, reinterpret_cast<LPARAM>(&search));
    if (checked != nullptr) {
        *checked = search.checked;
    }
    return std::move(search.cut);
}
