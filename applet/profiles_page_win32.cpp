#include "applet/profiles_page_win32.h"

#include <commctrl.h>

#include <string>

#include "applet/profiles_page_ids.h"
#include "common/catalogue/catalogue.h"
#include "common/catalogue/i18n_accessors.h"
#include "common/catalogue/i18n_composed.h"
#include "common/catalogue/text_ids.h"
#include "common/dialog/controls_win32.h"
#include "common/i18n_init/i18n_init_win32.h"
#include "common/win32/wide_win32.h"
#include "diag/trace/trace.h"

namespace {
constexpr char16_t kUpdateTextsTag[] = u"CPL20@CProfilesPage::UpdateTexts: ";
constexpr char16_t kOkTag[] = u"CPL21@CProfilesPage::OnOK: ";

void SetColumnText(HWND list, int column, const char16_t* text) {
    LVCOLUMNW item{};
    item.mask = LVCF_TEXT;
    item.pszText = const_cast<wchar_t*>(AsWide(text));
    ListView_SetColumn(list, column, &item);
}

}  // namespace

bool CProfilesPage::OnInitDialog() {
    CPage::OnInitDialog();
    HWND list = Item(IDC_PROFILES_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    SetUpColumns();
    SendDlgItemMessageW(Hwnd(), IDC_PROFILES_ALIAS, EM_LIMITTEXT, 10, 0);
    UpdateTexts(false);
    return true;
}

void CProfilesPage::SetUpColumns() {
    HWND list = Item(IDC_PROFILES_LIST);
    RECT client;
    GetClientRect(list, &client);
    const int width = client.right - GetSystemMetrics(SM_CXVSCROLL);
    const int third = width / 3;
    const int widths[3] = {static_cast<int>(third * 1.3), static_cast<int>(third * 0.7),
                           width - 2 * third};
    for (int column = 0; column < 3; ++column) {
        LVCOLUMNW item{};
        item.mask = LVCF_WIDTH | LVCF_TEXT;
        item.cx = widths[column];
        item.pszText = const_cast<wchar_t*>(L"");
        ListView_InsertColumn(list, column, &item);
    }
}

void CProfilesPage::UpdateTexts(bool reload) {
    TraceEnter(kUpdateTextsTag);
    if (reload) {
        I18N_Reload();
    }
    HWND page = Hwnd();
    SetItemText(page, IDC_PROFILES_GROUP, I18N_CameraProfiles(0));
    HWND list = Item(IDC_PROFILES_LIST);
    SetColumnText(list, 0, I18N_ProfileColumn_Name(0));
    SetColumnText(list, 1, I18N_ProfileColumn_Alias(0));
    SetColumnText(list, 2, I18N_ProfileColumn_Serial(0));
    SetItemText(page, IDC_PROFILES_LETTER_LABEL, I18N_PreferredDriveLetter(0));
    SetItemText(page, IDC_PROFILES_SECOND_CARD, I18N_SecondCard(0));
    std::u16string alias;
    SetItemText(page, IDC_PROFILES_ALIAS_LABEL, _GetResource(text_id::kAliasLabel, 0, &alias, 0));
    SetItemText(page, IDC_PROFILES_DELETE, I18N_DeleteProfile(0));
    SetItemText(page, IDC_PROFILES_AUTOMAP, I18N_Automap(0));
    SetItemText(page, IDC_PROFILES_UNAVAILABLE_LABEL,
                CatalogueText(text_id::kUnavailableLetterLabel, 0));
    SetItemText(page, IDC_PROFILES_ASK, I18N_Ask(0));
    SetItemText(page, IDC_PROFILES_FIRST_AVAILABLE, I18N_FirstAvailable(0));
    SetItemText(page, IDC_PROFILES_LAST_AVAILABLE, I18N_LastAvailable(0));
    SetItemText(page, IDC_PROFILES_FORMAT_GROUP, I18N_FilenameFormat(0));
    SetItemText(page, IDC_PROFILES_BUILD, I18N_GUIBuild(0));
    const std::u16string example = std::u16string(I18N_Example(1, 0)) + u":";
    SetItemText(page, IDC_PROFILES_EXAMPLE_LABEL, example.c_str());
    TraceLeave(kUpdateTextsTag);
}

bool CProfilesPage::OnOK() {
    TraceEnter(kOkTag);
    UpdateTexts(false);
    TraceLeave(kOkTag);
    return true;
}
