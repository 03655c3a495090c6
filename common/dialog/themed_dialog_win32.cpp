#include "common/dialog/themed_dialog_win32.h"

void ThemedDialog::PrepareBackgroundForClient() {
    RECT client{};
    GetClientRect(Hwnd(), &client);
    PrepareBackground(SIZE{client.right + 4, client.bottom + 4});
}

bool ThemedDialog::OnEraseBackground(HDC context) {
    return background_.Erase(Hwnd(), context);
}

HBRUSH ThemedDialog::OnControlColour(UINT message, HDC context, HWND control) {
    if (message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORBTN) {
        return nullptr;
    }
    return background_.ControlColour(Hwnd(), context, control);
}
