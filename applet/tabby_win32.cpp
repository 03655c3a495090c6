#include "applet/tabby_win32.h"

#include <commctrl.h>

#include "applet/applet_resources.h"
#include "common/catalogue/i18n_accessors.h"
#include "common/dialog/controls_win32.h"
#include "diag/trace/trace.h"

namespace {
constexpr char16_t kSetUpTag[] = u"CPL1@CTabby::PreSubclassWindow: ";
constexpr char16_t kApplyTag[] = u"CPL2@CTabby::ApplyAll: ";
constexpr char16_t kSelectTag[] = u"CPL3@CTabby::OnSelectionChange: ";
}  // namespace

int NextTabIndex(int current, int count) {
    return current + 1 >= count ? 0 : current + 1;
}

int PreviousTabIndex(int current, int count) {
    return current - 1 < 0 ? count - 1 : current - 1;
}

CPage& CTabby::Page(int index) {
    switch (index) {
        case 0:
            return settings_;
        case 1:
            return profiles_;
        default:
            return about_;
    }
}

void CTabby::PreSubclassWindow(HWND tabControl, HINSTANCE instance) {
    TraceEnter(kSetUpTag);
    tab_ = tabControl;
    host_ = GetParent(tabControl);
    instance_ = instance;

    static constexpr const char16_t* kInsertFailed[kPageCount] = {
        u"InsertItem 0 failed", u"InsertItem 1 failed", u"InsertItem 2 failed"};
    const char16_t* texts[kPageCount] = {I18N_Settings(0), I18N_Profiles(0), I18N_About(0)};
    for (int index = 0; index < kPageCount; ++index) {
        if (!TabInsert(tab_, index, texts[index])) {
            TracePrint(kSetUpTag, kInsertFailed[index]);
        }
    }

    static constexpr int kDialogs[kPageCount] = {IDD_SETTINGS_PAGE, IDD_PROFILES_PAGE,
                                                 IDD_ABOUT_PAGE};
    static constexpr const char16_t* kNotCreated[kPageCount] = {
        u"Dialog 1 not created", u"Dialog 2 not created", u"Dialog 3 not created"};
    for (int index = 0; index < kPageCount; ++index) {
        if (!CreatePage(Page(index), kDialogs[index])) {
            TracePrint(kSetUpTag, kNotCreated[index]);
        }
    }

    ShowPage(0, true);
    TabCtrl_SetCurSel(tab_, 0);

    // The display area becomes exactly the largest page.
    RECT rect;
    GetWindowRect(tab_, &rect);
    MapWindowPoints(nullptr, host_, reinterpret_cast<POINT*>(&rect), 2);
    TabCtrl_AdjustRect(tab_, FALSE, &rect);
    rect.right = rect.left + largestWidth_;
    rect.bottom = rect.top + largestHeight_;
    TabCtrl_AdjustRect(tab_, TRUE, &rect);
    MoveWindow(tab_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    TabCtrl_AdjustRect(tab_, FALSE, &rect);
    for (int index = 0; index < kPageCount; ++index) {
        if (HWND page = Page(index).Hwnd()) {
            // Above the tab control, so that it never paints over the page.
            SetWindowPos(page, HWND_TOP, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, SWP_NOREDRAW | SWP_NOACTIVATE);
        }
    }
    TraceLeave(kSetUpTag);
}

bool CTabby::CreatePage(CPage& page, int dialogId) {
    if (!page.CreateModeless(instance_, dialogId, host_)) {
        return false;
    }
    RECT rect;
    GetWindowRect(page.Hwnd(), &rect);
    largestWidth_ = std::max(largestWidth_, static_cast<int>(rect.right - rect.left));
    largestHeight_ = std::max(largestHeight_, static_cast<int>(rect.bottom - rect.top));
    return true;
}

void CTabby::ShowPage(int index, bool show) {
    if (HWND page = Page(index).Hwnd()) {
        EnableWindow(page, show ? TRUE : FALSE);
        ShowWindow(page, show ? SW_SHOW : SW_HIDE);
    }
}

void CTabby::OnSelectionChange() {
    TraceEnter(kSelectTag);
    const int selected = TabCtrl_GetCurSel(tab_);
    if (selected >= 0 && selected < kPageCount && selected != visible_) {
        ShowPage(visible_, false);
        visible_ = selected;
        ShowPage(visible_, true);
    }
    TraceLeave(kSelectTag);
}

void CTabby::SelectTab(int index) {
    NMHDR header{};
    header.hwndFrom = tab_;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(tab_));
    header.code = TCN_SELCHANGING;
    SendMessageW(host_, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    TabCtrl_SetCurSel(tab_, index);
    header.code = TCN_SELCHANGE;
    SendMessageW(host_, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    SetFocus(tab_);
}

void CTabby::SelectNextTab() {
    SelectTab(NextTabIndex(visible_, kPageCount));
}

void CTabby::SelectPreviousTab() {
    SelectTab(PreviousTabIndex(visible_, kPageCount));
}

void CTabby::SetTabTexts() {
    TabSetText(tab_, 0, I18N_Settings(0));
    TabSetText(tab_, 1, I18N_Profiles(0));
    TabSetText(tab_, 2, I18N_About(0));
}

bool CTabby::ApplyAll() {
    TraceEnter(kApplyTag);
    for (int index = 0; index < kPageCount; ++index) {
        CPage& page = Page(index);
        if (page.Hwnd() == nullptr) {
            continue;
        }
        SendMessageW(page.Hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
        if (!page.Stored()) {
            TraceLeave(kApplyTag);
            return false;
        }
    }
    SetTabTexts();
    RedrawWindow(host_, nullptr, nullptr,
                 RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    TraceLeave(kApplyTag);
    return true;
}
