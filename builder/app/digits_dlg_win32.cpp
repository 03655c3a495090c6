#include "builder/app/digits_dlg_win32.h"

#include <commctrl.h>

#include <cstdint>

#include "builder/app/builder_resources.h"
#include "builder/app/digits_dlg_ids.h"
#include "builder/convert/catalogue_caption.h"
#include "common/catalogue/text_ids.h"
#include "common/dialog/controls_win32.h"
#include "common/win32/wide_win32.h"
#include "diag/text/bounded_format.h"

namespace {

constexpr int kFewestDigits = 1;
constexpr int kMostDigits = 10;
constexpr int kStartDigits = 4;

}  // namespace

INT_PTR CDigitsDlg::Run(HWND owner) {
    return RunModal(instance_, IDD_DIGITS, owner);
}

bool CDigitsDlg::OnInitDialog() {
    PrepareBackgroundForClient();
    HWND dialog = Hwnd();
    HWND slider = Item(IDC_DIGITS_SLIDER);
    SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(kFewestDigits, kMostDigits));
    SendMessageW(slider, TBM_SETPOS, TRUE, kStartDigits);
    ShowPosition(kStartDigits);
    SetWindowTextW(dialog, AsWide(CatalogueCaption(text_id::kDigitsSelectorTitle).c_str()));
    SetItemText(dialog, IDC_DIGITS_LABEL, CatalogueCaption(text_id::kNumberOfDigitsLabel).c_str());
    SetItemText(dialog, IDOK, CatalogueCaption(text_id::kOk).c_str());
    SetItemText(dialog, IDCANCEL, CatalogueCaption(text_id::kCancel).c_str());
    return true;
}

void CDigitsDlg::ShowPosition(int position) {
    char16_t text[12] = {};
    FormatBoundedArgs(text, std::size(text), u"%d", position);
    SetItemText(Hwnd(), IDC_DIGITS_POSITION, text);
}

bool CDigitsDlg::OnCommand(int id, int code, HWND /*control*/) {
    switch (MAKEWPARAM(id, code)) {
        case MAKEWPARAM(IDOK, BN_CLICKED):
            OnOK();
            return true;
        default:
            return false;
    }
}

void CDigitsDlg::OnOK() {
    digits_ = static_cast<int>(SendDlgItemMessageW(Hwnd(), IDC_DIGITS_SLIDER, TBM_GETPOS, 0, 0));
    EndDialog(IDOK);
}

std::optional<INT_PTR> CDigitsDlg::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam) {
    switch (message) {
        case WM_HSCROLL:
            OnSliderMoved(reinterpret_cast<HWND>(lParam));
            return std::nullopt;  // the default processing runs as well
        default:
            return std::nullopt;
    }
}

void CDigitsDlg::OnSliderMoved(HWND slider) {
    // Every notification, not only a drag: keys and clicks on the channel
    // move the slider too, and OK takes its position.
    if (slider != nullptr && slider == Item(IDC_DIGITS_SLIDER)) {
        ShowPosition(static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0)));
    }
}
