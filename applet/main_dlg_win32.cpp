#include "applet/main_dlg_win32.h"

#include <commctrl.h>

#include <array>

#include "applet/applet_resources.h"
#include "applet/main_dlg_ids.h"
#include "applet/ui/link_static_win32.h"
#include "applet/ui/open_url_win32.h"
#include "common/catalogue/i18n_accessors.h"
#include "common/dialog/controls_win32.h"
#include "common/dialog/dpi_win32.h"
#include "common/i18n_init/i18n_init_win32.h"
#include "common/system/file_version_win32.h"
#include "common/system/module_path_win32.h"
#include "common/system/vendor_site.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "diag/trace/trace.h"

namespace {

constexpr char16_t kInitTag[] = u"CPL4@CMainDlg::OnInitDialog: ";
constexpr char16_t kUpdateTextsTag[] = u"CPL5@CMainDlg::UpdateTexts: ";
constexpr char16_t kApplyTag[] = u"CPL6@CMainDlg::OnApply: ";
constexpr int kVersionTextCapacity = 30;

}  // namespace

TabKey TabKeyFor(UINT virtualKey, bool control, bool shift) {
    if (!control) {
        return TabKey::kNone;
    }
    switch (virtualKey) {
        case VK_TAB:
            return shift ? TabKey::kPrevious : TabKey::kNext;
        case VK_PRIOR:
            return TabKey::kPrevious;
        case VK_NEXT:
            return TabKey::kNext;
        default:
            return TabKey::kNone;
    }
}

CMainDlg::~CMainDlg() {
    if (savedClassCursor_ != nullptr && Hwnd() != nullptr) {
        SetClassLongPtrW(Hwnd(), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(savedClassCursor_));
    }
}

INT_PTR CMainDlg::Run(HWND parent, int startPage) {
    startPage_ = startPage;
    return RunModal(instance_, IDD_MAIN, parent);
}

bool CMainDlg::OnInitDialog() {
    TraceEnter(kInitTag);
    HWND dialog = Hwnd();
    tabby_.PreSubclassWindow(Item(IDC_MAIN_TABS), instance_);
    if (startPage_ > 0 && startPage_ < CTabby::kPageCount) {
        tabby_.SelectTab(startPage_);
    }
    logo_.Load(instance_, IDR_LOGO_PNG, L"PNG");

    SetWindowTextW(dialog, AsWide(kProductName));
    SetItemText(dialog, IDC_MAIN_PRODUCT, kProductName);
    SetWindowIcons();
    EnableItem(dialog, IDC_MAIN_APPLY, false);

    SetUpLink();
    UiFontStyle style;
    style.bold = true;
    style.enlarge = true;
    style.dpi = DpiOfWindow(dialog);
    productFont_.Reset(CreateUiFont(style));
    if (productFont_.Get() != nullptr) {
        SendDlgItemMessageW(dialog, IDC_MAIN_PRODUCT, WM_SETFONT,
                            reinterpret_cast<WPARAM>(productFont_.Get()), FALSE);
    }
    UpdateTexts(false);
    TraceLeave(kInitTag);
    return true;
}

void CMainDlg::SetWindowIcons() {
    // The module carries no icon of its own: the system default shows.
    // Loaded unshared, so that the dialog owns and destroys them.
    const auto load = [this](int metric) {
        const int size = GetSystemMetrics(metric);
        return static_cast<HICON>(
            LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APPLET_WINDOW), IMAGE_ICON, size, size, 0));
    };
    bigIcon_.Reset(load(SM_CXICON));
    smallIcon_.Reset(load(SM_CXSMICON));
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

void CMainDlg::SetUpLink() {
    handCursor_ = LoadCursorW(nullptr, IDC_HAND);
    linkToolTip_ =
        SetUpLinkStatic(Hwnd(), IDC_MAIN_LINK, kVendorHost, I18N_Homepage(0), &linkRect_);
}

void CMainDlg::UpdateVersionText() {
    std::array<char16_t, MAX_PATH> path{};
    if (!BuildModulePath(path.data(), path.size(), contract::kMapperFile, false)) {
        SetItemText(Hwnd(), IDC_MAIN_VERSION, u"?");
        return;
    }
    std::array<char16_t, kVersionTextCapacity> version{};
    if (FormatFileVersion(path.data(), version.data(), version.size())) {
        SetItemText(Hwnd(), IDC_MAIN_VERSION, version.data());
    }
}

void CMainDlg::UpdateTexts(bool reload) {
    TraceEnter(kUpdateTextsTag);
    if (reload) {
        I18N_Reload();
    }
    HWND dialog = Hwnd();
    SetItemText(dialog, IDOK, I18N_GUIOK(0));
    SetItemText(dialog, IDCANCEL, I18N_GUICancel(0));
    SetItemText(dialog, IDC_MAIN_APPLY, I18N_GUIApply(0));
    SetItemText(dialog, IDC_MAIN_CHECK_UPDATE, I18N_GUICheckForUpdate(0));
    UpdateVersionText();
    TraceLeave(kUpdateTextsTag);
}

void CMainDlg::OnApply() {
    TraceEnter(kApplyTag);
    EnableItem(Hwnd(), IDC_MAIN_APPLY, false);
    if (!tabby_.ApplyAll()) {
        EnableItem(Hwnd(), IDC_MAIN_APPLY, true);  // the changes are still pending
    }
    UpdateTexts(false);
    TraceLeave(kApplyTag);
}

bool CMainDlg::OnCommand(int id, int code, HWND /*control*/) {
    switch (MAKEWPARAM(id, code)) {
        case MAKEWPARAM(IDOK, BN_CLICKED):
            if (tabby_.ApplyAll()) {
                EndDialog(IDOK);
            }
            return true;
        case MAKEWPARAM(IDCANCEL, BN_CLICKED):
            EndDialog(IDCANCEL);
            return true;
        case MAKEWPARAM(IDC_MAIN_APPLY, BN_CLICKED):
            OnApply();
            return true;
        case MAKEWPARAM(IDC_MAIN_CHECK_UPDATE, BN_CLICKED):
            updateCheck_.Start(Hwnd(), IDC_MAIN_CHECK_UPDATE);
            return true;
        default:
            return false;
    }
}

std::optional<LRESULT> CMainDlg::OnNotify(NMHDR& header) {
    if (header.hwndFrom == tabby_.Hwnd() && header.code == TCN_SELCHANGE) {
        tabby_.OnSelectionChange();
        return 0;
    }
    return std::nullopt;
}

bool CMainDlg::OnDrawItem(const DRAWITEMSTRUCT& item) {
    switch (item.CtlID) {
        case IDC_MAIN_LINK: {
            // The control's own context: its rectangle in its own coordinates.
            RECT area = item.rcItem;
            DrawLinkText(Hwnd(), IDC_MAIN_LINK, item.hDC, &area, true, nullptr);
            return true;
        }
        case IDC_MAIN_LOGO:
            logo_.Draw(item.hDC, item.rcItem.left, item.rcItem.top, DpiOfWindow(Hwnd()));
            return true;
        default:
            return false;
    }
}

bool CMainDlg::OnMouseOverLink(POINT point, bool buttonUp) {
    if (PtInRect(&linkRect_, point)) {
        const auto previous = reinterpret_cast<HCURSOR>(
            SetClassLongPtrW(Hwnd(), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(handCursor_)));
        if (savedClassCursor_ == nullptr) {
            savedClassCursor_ = previous;
        }
        if (buttonUp) {
            const std::u16string url = std::u16string(u"http://") + kVendorHost;
            OpenUrlInBrowser(url.c_str());
        }
        return true;
    }
    if (savedClassCursor_ != nullptr) {
        SetClassLongPtrW(Hwnd(), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(savedClassCursor_));
        savedClassCursor_ = nullptr;
    }
    return false;
}

std::optional<INT_PTR> CMainDlg::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam) {
    if (message != WM_MOUSEMOVE && message != WM_LBUTTONUP) {
        return std::nullopt;
    }
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (OnMouseOverLink(point, message == WM_LBUTTONUP)) {
        return 0;
    }
    return std::nullopt;
}

void CMainDlg::OnDestroy() {
    // A check still waiting on the server must not use the dialog once it is gone.
    updateCheck_.Stop();
    Dialog::OnDestroy();
}

bool CMainDlg::PreTranslateMessage(const MSG& message) {
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    switch (TabKeyFor(static_cast<UINT>(message.wParam), control, shift)) {
        case TabKey::kNext:
            tabby_.SelectNextTab();
            return true;
        case TabKey::kPrevious:
            tabby_.SelectPreviousTab();
            return true;
        case TabKey::kNone:
            return false;
    }
    return false;
}
