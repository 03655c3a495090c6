#include "builder/app/range_dlg_win32.h"

#include "builder/app/builder_resources.h"
#include "builder/app/range_dlg_ids.h"
#include "builder/convert/catalogue_caption.h"
#include "common/catalogue/text_ids.h"
#include "common/dialog/controls_win32.h"
#include "common/win32/wide_win32.h"
#include "diag/text/text_units.h"

namespace {

constexpr std::size_t kNameCapacity = kPathUnits;

}  // namespace

INT_PTR CRangeDlg::Run(HWND owner) {
    return RunModal(instance_, IDD_RANGE, owner);
}

bool CRangeDlg::OnInitDialog() {
    PrepareBackgroundForClient();
    HWND dialog = Hwnd();
    DataExchange(dialog, true).Text(IDC_RANGE_NAME, nameText_, kNameCapacity);
    HWND edit = Item(IDC_RANGE_NAME);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    SetWindowTextW(dialog, AsWide(CatalogueCaption(text_id::kRangeSelectorTitle).c_str()));
    SetItemText(dialog, IDC_RANGE_LABEL, CatalogueCaption(text_id::kSelectCharactersLabel).c_str());
    SetItemText(dialog, IDOK, CatalogueCaption(text_id::kOk).c_str());
    SetItemText(dialog, IDCANCEL, CatalogueCaption(text_id::kCancel).c_str());
    // The focus stays on the edit, whose text is all selected.
    SetFocus(edit);
    return false;
}

bool CRangeDlg::OnCommand(int id, int code, HWND /*control*/) {
    switch (MAKEWPARAM(id, code)) {
        case MAKEWPARAM(IDOK, BN_CLICKED):
            OnOK();
            return true;
        default:
            return false;
    }
}

void CRangeDlg::OnOK() {
    DataExchange(Hwnd(), false).Text(IDC_RANGE_NAME, nameText_, kNameCapacity);
    DWORD start = 0;
    DWORD end = 0;
    SendDlgItemMessageW(Hwnd(), IDC_RANGE_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
    selection_ = RangeSelectionFromOffsets(static_cast<int>(start), static_cast<int>(end));
    EndDialog(IDOK);
}
