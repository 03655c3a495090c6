#include "applet/about_page_win32.h"

#include <commctrl.h>

#include <array>

#include "applet/about_page_ids.h"
#include "common/catalogue/i18n_composed.h"
#include "common/catalogue/i18n_format.h"
#include "common/catalogue/text_ids.h"
#include "common/dialog/controls_win32.h"
#include "common/i18n_init/i18n_init_win32.h"
#include "diag/trace/trace.h"

namespace {
constexpr char16_t kUpdateTextsTag[] = u"CPL30@CAboutPage::UpdateTexts: ";
constexpr char16_t kOkTag[] = u"CPL31@CAboutPage::OnOK: ";
}  // namespace

bool CAboutPage::OnInitDialog() {
    CPage::OnInitDialog();
    HWND notices = Item(IDC_ABOUT_NOTICES_TABS);
    TabInsert(notices, 0, u"OpenSSL");
    TabInsert(notices, 1, u"Dokan");
    UiFontStyle bold;
    bold.bold = true;
    labelFont_.Reset(CreateUiFont(bold));
    if (labelFont_.Get() != nullptr) {
        SendDlgItemMessageW(Hwnd(), IDC_ABOUT_THIRD_PARTIES, WM_SETFONT,
                            reinterpret_cast<WPARAM>(labelFont_.Get()), FALSE);
    }
    UpdateTexts(false);
    return true;
}

void CAboutPage::UpdateTexts(bool reload) {
    TraceEnter(kUpdateTextsTag);
    if (reload) {
        I18N_Reload();
    }
    std::array<char16_t, 100> openData{};
    I18N_wsprintf(openData.data(), static_cast<int>(openData.size()), text_id::kOpenDataCaption,
                  MarkerType::String, FormatArg(u"Camfolio"), 0);
    SetItemText(Hwnd(), IDC_ABOUT_OPEN_DATA, openData.data());
    SetItemText(Hwnd(), IDC_ABOUT_THIRD_PARTIES, I18N_ThirdParty(0));
    TraceLeave(kUpdateTextsTag);
}

bool CAboutPage::OnOK() {
    TraceEnter(kOkTag);
    UpdateTexts(false);
    TraceLeave(kOkTag);
    return true;
}
