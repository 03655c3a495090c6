#include "tests/applet/page_fixture_win32.h"

std::u16string ItemText(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}

bool ItemEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}
