#include "applet/page_win32.h"

#include "applet/main_dlg_ids.h"

void CPage::MarkModified() const {
    EnableWindow(GetDlgItem(GetParent(Hwnd()), IDC_MAIN_APPLY), TRUE);
}

bool CPage::OnInitDialog() {
    RECT client;
    GetClientRect(Hwnd(), &client);
    // Wider and taller than the page, so that the pane's right and bottom
    // borders fall outside it.
    background_.Prepare(Hwnd(), SIZE{client.right + 4, client.bottom + 4});
    return true;
}

bool CPage::OnCommand(int id, int code, HWND /*control*/) {
    if (id == IDOK && code == 0) {
        OnOK();
        return true;
    }
    return false;
}

bool CPage::OnEraseBackground(HDC context) {
    return background_.Erase(Hwnd(), context);
}

HBRUSH CPage::OnControlColour(UINT message, HDC context, HWND control) {
    if (message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORBTN) {
        return nullptr;
    }
    return background_.ControlColour(Hwnd(), context, control);
}

void CPage::OnDestroy() {
    background_.Release();
}
