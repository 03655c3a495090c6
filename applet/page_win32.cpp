#include "applet/page_win32.h"

#include "applet/main_dlg_ids.h"

void CPage::MarkModified() const {
    EnableWindow(GetDlgItem(GetParent(Hwnd()), IDC_MAIN_APPLY), TRUE);
}

bool CPage::OnInitDialog() {
    PrepareBackgroundForClient();
    return true;
}

bool CPage::OnCommand(int id, int code, HWND /*control*/) {
    if (id == IDOK && code == 0) {
        stored_ = OnOK();
        return true;
    }
    return false;
}
