#include "applet/about_page_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <cstddef>
#include <string>

#include "applet/about_page_ids.h"
#include "applet/app_win32.h"
#include "common/catalogue/i18n_composed.h"
#include "common/catalogue/i18n_format.h"
#include "common/catalogue/text_ids.h"
#include "common/dialog/controls_win32.h"
#include "common/dialog/dpi_win32.h"
#include "common/dialog/ui_font_win32.h"
#include "common/i18n_init/i18n_init_win32.h"
#include "common/paths/known_folders_win32.h"
#include "common/paths/path_helpers.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "diag/housekeeping/shell_program.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/text_units.h"
#include "diag/trace/trace.h"

namespace {

constexpr char16_t kUpdateTextsTag[] = u"CPL30@CAboutPage::UpdateTexts: ";
constexpr char16_t kOkTag[] = u"CPL31@CAboutPage::OnOK: ";
constexpr char16_t kOpenDataTag[] = u"CPL32@CAboutPage::OnOpenDataFolder: ";

constexpr int kOpenSslTab = 0;
constexpr int kDokanTab = 1;
// Without the "Shell" value (Wine may not set it) the folder still opens:
// in the default file browser.
constexpr char16_t kDefaultShell[] = u"explorer.exe";
constexpr wchar_t kFixedPitchFace[] = L"Courier New";

}  // namespace

bool CAboutPage::OnInitDialog() {
    CPage::OnInitDialog();
    HWND notices = Item(IDC_ABOUT_NOTICES_TABS);
    TabInsert(notices, kOpenSslTab, u"OpenSSL");
    TabInsert(notices, kDokanTab, u"Dokan");
    ShowNotice(IDR_NOTICE_OPENSSL);
    SetUpFonts();
    UpdateTexts(false);
    return true;
}

void CAboutPage::SetUpFonts() {
    UiFontStyle label;
    label.bold = true;
    label.dpi = DpiOfWindow(Hwnd());
    labelFont_.Reset(CreateUiFont(label));
    UiFontStyle text;
    text.faceName = kFixedPitchFace;
    text.dpi = label.dpi;
    textFont_.Reset(CreateUiFont(text));
    const struct {
        int id;
        HFONT font;
    } uses[] = {{IDC_ABOUT_THIRD_PARTIES, labelFont_.Font()}, {IDC_ABOUT_NOTICE, textFont_.Font()}};
    for (const auto& use : uses) {
        if (use.font != nullptr) {
            SendDlgItemMessageW(Hwnd(), use.id, WM_SETFONT, reinterpret_cast<WPARAM>(use.font),
                                FALSE);
        }
    }
}

void CAboutPage::ShowNotice(int resourceId) {
    HWND edit = Item(IDC_ABOUT_NOTICE);
    HMODULE module = AppletInstance();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"TXT");
    if (resource == nullptr || edit == nullptr) {
        return;
    }
    HGLOBAL loaded = LoadResource(module, resource);
    const auto* bytes = static_cast<const char*>(LockResource(loaded));
    const auto size = static_cast<int>(SizeofResource(module, resource));
    if (bytes == nullptr || size == 0) {
        return;
    }
    // Exactly the resource's bytes: it carries no terminator.
    const int units = MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, size, text.data(), units);
    SetWindowTextW(edit, text.c_str());
}

void CAboutPage::OnNoticeTabChange() {
    switch (TabCtrl_GetCurSel(Item(IDC_ABOUT_NOTICES_TABS))) {
        case kOpenSslTab:
            ShowNotice(IDR_NOTICE_OPENSSL);
            break;
        case kDokanTab:
            ShowNotice(IDR_NOTICE_DOKAN);
            break;
        default:
            break;
    }
}

void CAboutPage::OnOpenDataFolder() {
    TraceEnter(kOpenDataTag);
    std::array<char16_t, kPathUnits> folder{};
    if (!GetCommonAppDataFolder(folder.data(), folder.size())) {
        TraceLeave(kOpenDataTag);
        return;
    }
    _TcsCat(folder.data(), folder.size(), u"\\");
    _TcsCat(folder.data(), folder.size(), contract::kProductFolder);
    EnsurePath(folder.data(), true);
    const char16_t* shell = GetShellProgram();
    if (*shell == u'\0') {
        shell = kDefaultShell;
    }
    ShellExecuteW(Hwnd(), L"Open", AsWide(shell), AsWide(folder.data()), nullptr, SW_SHOWNORMAL);
    TraceLeave(kOpenDataTag);
}

void CAboutPage::UpdateTexts(bool reload) {
    TraceEnter(kUpdateTextsTag);
    if (reload) {
        I18N_Reload();
    }
    std::array<char16_t, kPathUnits> openData{};
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

bool CAboutPage::OnCommand(int id, int code, HWND control) {
    switch (MAKEWPARAM(id, code)) {
        case MAKEWPARAM(IDC_ABOUT_OPEN_DATA, BN_CLICKED):
            OnOpenDataFolder();
            return true;
        default:
            return CPage::OnCommand(id, code, control);
    }
}

std::optional<LRESULT> CAboutPage::OnNotify(NMHDR& header) {
    if (header.idFrom == IDC_ABOUT_NOTICES_TABS && header.code == TCN_SELCHANGE) {
        OnNoticeTabChange();
        return 0;
    }
    return std::nullopt;
}
