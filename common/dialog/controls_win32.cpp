#include "common/dialog/controls_win32.h"

#include <commctrl.h>

#include "common/win32/wide_win32.h"

void SetItemText(HWND dialog, int id, const char16_t* text) {
    SetDlgItemTextW(dialog, id, AsWide(text != nullptr ? text : u""));
}

std::u16string GetItemText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
        return {};
    }
    const int length = GetWindowTextLengthW(control);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = GetWindowTextW(control, AsWide(text.data()), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void EnableItem(HWND dialog, int id, bool enable) {
    if (HWND control = GetDlgItem(dialog, id)) {
        EnableWindow(control, enable ? TRUE : FALSE);
    }
}

void ShowItem(HWND dialog, int id, bool show) {
    if (HWND control = GetDlgItem(dialog, id)) {
        ShowWindow(control, show ? SW_SHOW : SW_HIDE);
    }
}

int ComboAdd(HWND dialog, int id, const char16_t* text, LPARAM data) {
    const auto index = static_cast<int>(
        SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(text))));
    if (index >= 0) {
        SendDlgItemMessageW(dialog, id, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
    }
    return index;
}

void ComboSelect(HWND dialog, int id, int index) {
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ComboSelection(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

bool TabInsert(HWND tab, int index, const char16_t* text) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(AsWide(text));
    return SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(&item)) == index;
}

void TabSetText(HWND tab, int index, const char16_t* text) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(AsWide(text));
    SendMessageW(tab, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void DataExchange::Text(int id, std::u16string& value, std::size_t maxLength) {
    if (toControls_) {
        SetItemText(dialog_, id, value.c_str());
        return;
    }
    value = GetItemText(dialog_, id);
    if (value.size() > maxLength) {
        value.resize(maxLength);
    }
}
