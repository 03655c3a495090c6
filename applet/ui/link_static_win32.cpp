#include "applet/ui/link_static_win32.h"

#include <commctrl.h>

#include "common/dialog/dpi_win32.h"
#include "common/dialog/theme_library_win32.h"
#include "common/dialog/ui_font_win32.h"
#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"

namespace {

constexpr int kLinkTextCapacity = 100;
constexpr COLORREF kLinkColour = RGB(0, 0, 128);

HFONT CreateLinkFont(HWND dialog, bool linkStyle) {
    UiFontStyle style;
    style.underline = linkStyle;
    style.dpi = DpiOfWindow(dialog);
    return CreateUiFont(style);
}

}  // namespace

RECT GetControlRect(HWND dialog, int controlId) {
    RECT rect{};
    HWND control = GetDlgItem(dialog, controlId);
    if (control == nullptr || !GetClientRect(control, &rect)) {
        return RECT{};
    }
    MapWindowPoints(control, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND SetUpLinkStatic(HWND dialog, int controlId, const char16_t* text, const char16_t* tooltip,
                     RECT* linkRect) {
    HWND control = GetDlgItem(dialog, controlId);
    if (text != nullptr && control != nullptr) {
        RECT measured{0, 0, 0, 0};
        {
            const WindowDc context(control);
            const UniqueGdiObject font(CreateLinkFont(dialog, true));
            const SelectedObject selected(context.Get(), font.Get());
            DrawTextW(context.Get(), AsWide(text), -1, &measured,
                      DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        }
        SetWindowPos(control, nullptr, 0, 0, measured.right - measured.left,
                     measured.bottom - measured.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowTextW(control, AsWide(text));
    }
    *linkRect = GetControlRect(dialog, controlId);
    return CreateToolTip(dialog, tooltip, *linkRect);
}

void DrawLinkText(HWND dialog, int controlId, HDC context, RECT* rect, bool linkStyle,
                  HFONT* font) {
    wchar_t text[kLinkTextCapacity] = L"";
    GetDlgItemTextW(dialog, controlId, text, kLinkTextCapacity);
    RECT area = rect != nullptr ? *rect : GetControlRect(dialog, controlId);

    UniqueGdiObject linkFont(CreateLinkFont(dialog, linkStyle));
    // Restores the font, modes and colours set below.
    const int saved = SaveDC(context);
    if (linkFont.IsValid()) {
        SelectObject(context, linkFont.Get());
    }
    if (ThemeIsActive()) {
        SetBkMode(context, TRANSPARENT);
    } else {
        SetBkMode(context, OPAQUE);
        SetBkColor(context, GetSysColor(COLOR_BTNFACE));
    }
    SetTextColor(context, linkStyle ? kLinkColour : GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(context, text, -1, &area, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    DrawTextW(context, text, -1, &area, DT_SINGLELINE | DT_NOPREFIX);
    RestoreDC(context, saved);

    if (font != nullptr) {
        *font = static_cast<HFONT>(linkFont.Release());
    }
    if (rect != nullptr) {
        *rect = area;
    }
}

HWND CreateToolTip(HWND dialog, const char16_t* text, const RECT& rect) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    HWND tip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, instance, nullptr);
    if (tip == nullptr) {
        return nullptr;
    }
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.hinst = instance;
    tool.lpszText = const_cast<wchar_t*>(AsWide(text != nullptr ? text : u""));
    tool.rect = rect;
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip, TTM_ACTIVATE, TRUE, 0);
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 250);
    return tip;
}
