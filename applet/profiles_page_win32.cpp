#include "applet/profiles_page_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>
#include <string>
#include <vector>

#include "applet/profiles/builder_command.h"
#include "applet/profiles/drive_letters.h"
#include "applet/profiles/profile_controls.h"
#include "applet/profiles/profile_example.h"
#include "applet/profiles_page_ids.h"
#include "common/catalogue/catalogue.h"
#include "common/catalogue/i18n_accessors.h"
#include "common/catalogue/i18n_composed.h"
#include "common/catalogue/i18n_format.h"
#include "common/catalogue/text_ids.h"
#include "common/dialog/controls_win32.h"
#include "common/format/copy_data_text.h"
#include "common/format/local_time.h"
#include "common/i18n_init/i18n_init_win32.h"
#include "common/paths/path_helpers.h"
#include "common/system/module_path_win32.h"
#include "common/system/vendor_site.h"
#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "config/profiles_registry.h"
#include "diag/text/text_units.h"
#include "diag/text/text_utils.h"
#include "diag/trace/trace.h"

namespace {
constexpr char16_t kUpdateTextsTag[] = u"CPL20@CProfilesPage::UpdateTexts: ";
constexpr char16_t kOkTag[] = u"CPL21@CProfilesPage::OnOK: ";
constexpr wchar_t kBuilderName[] = L"Filename Format Builder";
// The alias edit holds at most 10 units; a stored or pasted one is read up to this.
constexpr int kAliasReadUnits = 100;

struct EnablingRule {
    int id;
    bool ProfileControls::*enabled;
};

constexpr EnablingRule kEnablingRules[] = {
    {IDC_PROFILES_LETTER_LABEL, &ProfileControls::letter},
    {IDC_PROFILES_LETTER, &ProfileControls::letter},
    {IDC_PROFILES_SECOND_CARD, &ProfileControls::secondSlot},
    {IDC_PROFILES_LETTER2, &ProfileControls::secondLetter},
    {IDC_PROFILES_ALIAS_LABEL, &ProfileControls::camera},
    {IDC_PROFILES_ALIAS, &ProfileControls::camera},
    {IDC_PROFILES_DELETE, &ProfileControls::camera},
    {IDC_PROFILES_MAPPING_FRAME, &ProfileControls::mapping},
    {IDC_PROFILES_AUTOMAP, &ProfileControls::mapping},
    {IDC_PROFILES_UNAVAILABLE_LABEL, &ProfileControls::policy},
    {IDC_PROFILES_ASK, &ProfileControls::policy},
    {IDC_PROFILES_FIRST_AVAILABLE, &ProfileControls::policy},
    {IDC_PROFILES_LAST_AVAILABLE, &ProfileControls::policy},
    {IDC_PROFILES_FORMAT_GROUP, &ProfileControls::format},
    {IDC_PROFILES_BUILD, &ProfileControls::format},
    {IDC_PROFILES_EXAMPLE_LABEL, &ProfileControls::format},
    {IDC_PROFILES_EXAMPLE, &ProfileControls::format},
};

// The radio button of each "if the letter is unavailable" value.
constexpr std::array<int, 3> kPolicyRadios = {IDC_PROFILES_ASK, IDC_PROFILES_FIRST_AVAILABLE,
                                              IDC_PROFILES_LAST_AVAILABLE};

void SetColumnText(HWND list, int column, const char16_t* text) {
    LVCOLUMNW item{};
    item.mask = LVCF_TEXT;
    item.pszText = const_cast<wchar_t*>(AsWide(text));
    ListView_SetColumn(list, column, &item);
}

void SetCellText(HWND list, int row, int column, const std::u16string& text) {
    ListView_SetItemText(list, row, column, const_cast<wchar_t*>(AsWide(text.c_str())));
}

ProfileRecord* RecordOfRow(HWND list, int row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (row < 0 || !ListView_GetItem(list, &item)) {
        return nullptr;
    }
    return reinterpret_cast<ProfileRecord*>(item.lParam);
}

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM sortKey) {
    return CompareProfileRows(reinterpret_cast<const ProfileRecord*>(first),
                              reinterpret_cast<const ProfileRecord*>(second),
                              static_cast<int>(sortKey));
}

unsigned DriveTypeOfLetter(char16_t letter) {
    const char16_t root[] = {letter, u':', u'\\', u'\0'};
    return GetDriveTypeEx(root);
}

// The letter of the entry selected in a letter list, none when no entry is.
std::optional<char16_t> SelectedLetter(HWND page, int id) {
    const int index = ComboSelection(page, id);
    if (index < 0) {
        return std::nullopt;
    }
    std::array<wchar_t, 8> entry{};
    if (SendDlgItemMessageW(page, id, CB_GETLBTEXTLEN, index, 0) >=
        static_cast<LRESULT>(entry.size())) {
        return std::nullopt;
    }
    SendDlgItemMessageW(page, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
    return DriveLetterOfEntry(AsU16(entry.data()));
}

bool StartBuilder(const std::u16string& commandLine) {
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &started)) {
        return false;
    }
    // The applet does not wait for the builder.
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    return true;
}

}  // namespace

bool CProfilesPage::OnInitDialog() {
    CPage::OnInitDialog();
    multiCardSystem_ = IsMultiCardSystem();
    HWND list = Item(IDC_PROFILES_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    SetUpColumns();
    FillList();
    SortRows();
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

void CProfilesPage::FillList() {
    LoadProfiles(profiles_);
    HWND list = Item(IDC_PROFILES_LIST);
    changingRows_ = true;
    for (std::size_t i = 0; i < profiles_.size(); ++i) {
        ProfileRecord& record = *profiles_[i];
        record.listIndex = static_cast<int>(i);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(AsWide(record.name.c_str()));
        item.lParam = reinterpret_cast<LPARAM>(&record);
        const int row = ListView_InsertItem(list, &item);
        SetCellText(list, row, 1, record.alias.value_or(u""));
        SetCellText(list, row, 2, record.subName);
    }
    changingRows_ = false;
}

void CProfilesPage::SortRows() {
    ListView_SortItems(Item(IDC_PROFILES_LIST), CompareRows, sortKey_);
}

void CProfilesPage::OnColumnClick(int column) {
    sortKey_ = SortKeyAfterColumnClick(sortKey_, column);
    SortRows();
}

ProfileRecord* CProfilesPage::ShownRecord() const {
    if (shown_ < 0 || static_cast<std::size_t>(shown_) >= profiles_.size()) {
        return nullptr;
    }
    return profiles_[shown_].get();
}

void CProfilesPage::OnSelectionChanged() {
    HWND list = Item(IDC_PROFILES_LIST);
    ProfileRecord* selected = RecordOfRow(list, ListView_GetNextItem(list, -1, LVNI_SELECTED));
    if (selected == nullptr) {
        ClearProfile();
    } else if (selected != ShownRecord()) {
        ShowProfile(*selected);
    }
}

void CProfilesPage::ClearProfile() {
    StoreShownProfile();
    // No profile first, so that emptying the alias is not taken for an edit.
    shown_ = -1;
    currentFormat_.clear();
    HWND page = Hwnd();
    CheckDlgButton(page, IDC_PROFILES_AUTOMAP, BST_UNCHECKED);
    CheckDlgButton(page, IDC_PROFILES_SECOND_CARD, BST_UNCHECKED);
    autoMap_ = false;
    secondSlot_ = false;
    SendDlgItemMessageW(page, IDC_PROFILES_LETTER, CB_RESETCONTENT, 0, 0);
    SendDlgItemMessageW(page, IDC_PROFILES_LETTER2, CB_RESETCONTENT, 0, 0);
    SetItemText(page, IDC_PROFILES_EXAMPLE, u"");
    SetItemText(page, IDC_PROFILES_ALIAS, u"");
    UpdateControlStates();
}

void CProfilesPage::ShowProfile(ProfileRecord& record) {
    StoreShownProfile();
    HWND page = Hwnd();
    autoMap_ = record.autoMap;
    CheckDlgButton(page, IDC_PROFILES_AUTOMAP, autoMap_ ? BST_CHECKED : BST_UNCHECKED);
    secondSlot_ = record.multiCard;
    CheckDlgButton(page, IDC_PROFILES_SECOND_CARD, secondSlot_ ? BST_CHECKED : BST_UNCHECKED);
    FillDriveLetters(record.driveLetter, record.driveLetter2);
    const int policy = record.ifLetterUnavailable == 1 || record.ifLetterUnavailable == 2
                           ? record.ifLetterUnavailable
                           : 0;
    CheckRadioButton(page, kPolicyRadios.front(), kPolicyRadios.back(), kPolicyRadios[policy]);
    currentFormat_ = record.format.value_or(u"");
    shown_ = record.listIndex;
    SetItemText(page, IDC_PROFILES_ALIAS, record.alias.value_or(u"").c_str());
    RefreshRow(record);
    UpdateExample(false);
    UpdateControlStates();
}

void CProfilesPage::StoreShownProfile() {
    if (ProfileRecord* record = ShownRecord()) {
        StoreControls(*record);
        RefreshRow(*record);
    }
}

void CProfilesPage::StoreControls(ProfileRecord& record) const {
    HWND page = Hwnd();
    if (const auto letter = SelectedLetter(page, IDC_PROFILES_LETTER)) {
        record.driveLetter = *letter;
    }
    if (const auto letter = SelectedLetter(page, IDC_PROFILES_LETTER2)) {
        record.driveLetter2 = *letter;
    }
    record.autoMap = IsDlgButtonChecked(page, IDC_PROFILES_AUTOMAP) == BST_CHECKED;
    record.multiCard = IsDlgButtonChecked(page, IDC_PROFILES_SECOND_CARD) == BST_CHECKED;
    record.ifLetterUnavailable = 0;
    for (int value = 1; value < static_cast<int>(kPolicyRadios.size()); ++value) {
        if (IsDlgButtonChecked(page, kPolicyRadios[value]) == BST_CHECKED) {
            record.ifLetterUnavailable = value;
            break;
        }
    }
    // A profile without a format of its own keeps using the built-in one.
    record.format =
        currentFormat_.empty() ? std::nullopt : std::optional<std::u16string>(currentFormat_);
    const std::u16string alias = GetItemText(page, IDC_PROFILES_ALIAS);
    record.alias =
        std::u16string(TrimBlanks(std::u16string_view(alias).substr(0, kAliasReadUnits - 1)));
}

void CProfilesPage::RefreshRow(const ProfileRecord& record) const {
    HWND list = Item(IDC_PROFILES_LIST);
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(&record);
    int row = ListView_FindItem(list, -1, &find);
    if (row < 0) {
        row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    }
    if (row >= 0) {
        SetCellText(list, row, 1, record.alias.value_or(u""));
    }
}

void CProfilesPage::FillDriveLetters(char16_t letter, char16_t letter2) {
    HWND page = Hwnd();
    SendDlgItemMessageW(page, IDC_PROFILES_LETTER, CB_RESETCONTENT, 0, 0);
    SendDlgItemMessageW(page, IDC_PROFILES_LETTER2, CB_RESETCONTENT, 0, 0);
    const std::vector<char16_t> offered = OfferedDriveLetters(DriveTypeOfLetter);
    for (const char16_t offeredLetter : offered) {
        const std::u16string entry = DriveLetterEntry(offeredLetter);
        ComboAdd(page, IDC_PROFILES_LETTER, entry.c_str());
        ComboAdd(page, IDC_PROFILES_LETTER2, entry.c_str());
    }
    const DriveLetterChoice first = ChooseDriveLetter(offered, letter);
    ComboSelect(page, IDC_PROFILES_LETTER, first.index);
    const DriveLetterChoice second = ChooseDriveLetter(offered, letter2);
    ComboSelect(page, IDC_PROFILES_LETTER2, second.index);
    // A letter that is no longer offered is replaced: OK must store the new one.
    if (first.changed || (second.changed && secondSlot_)) {
        MarkModified();
    }
}

void CProfilesPage::UpdateControlStates() const {
    const ProfileRecord* record = ShownRecord();
    ProfileView view;
    view.shown = record != nullptr;
    view.isDefault = record != nullptr && record->isDefault;
    view.multiCardSystem = multiCardSystem_;
    view.secondSlot = secondSlot_;
    view.autoMap = autoMap_;
    const ProfileControls controls = ProfileControlStates(view);
    for (const EnablingRule& rule : kEnablingRules) {
        EnableItem(Hwnd(), rule.id, controls.*rule.enabled);
    }
}

void CProfilesPage::OnAutoMapClicked() {
    const bool checked = IsDlgButtonChecked(Hwnd(), IDC_PROFILES_AUTOMAP) == BST_CHECKED;
    if (checked != autoMap_) {
        autoMap_ = checked;
        UpdateControlStates();
        MarkModified();
    }
}

void CProfilesPage::OnSecondSlotClicked() {
    const bool checked = IsDlgButtonChecked(Hwnd(), IDC_PROFILES_SECOND_CARD) == BST_CHECKED;
    if (checked != secondSlot_) {
        secondSlot_ = checked;
        UpdateControlStates();
        MarkModified();
    }
}

void CProfilesPage::OnAliasChanged() const {
    const ProfileRecord* record = ShownRecord();
    if (record == nullptr) {
        return;
    }
    const std::u16string text = GetItemText(Hwnd(), IDC_PROFILES_ALIAS);
    if (record->alias ? text != *record->alias : !text.empty()) {
        MarkModified();
    }
}

void CProfilesPage::OnDelete() {
    if (MessageBoxW(Hwnd(), AsWide(I18N_DoYouWantDeleteProfile(0)), AsWide(kProductName),
                    MB_ICONQUESTION | MB_YESNO) != IDYES) {
        return;
    }
    HWND list = Item(IDC_PROFILES_LIST);
    const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    ProfileRecord* record = RecordOfRow(list, row);
    if (record != nullptr && !record->isDefault) {
        record->deleted = true;
        auto gone = std::make_unique<ProfileRecord>();
        gone->name = record->name;
        gone->subName = record->subName;
        deleted_.push_back(std::move(gone));
        // The deleted profile is not shown any more: nothing is stored into it.
        shown_ = -1;
        changingRows_ = true;
        ListView_DeleteItem(list, row);
        changingRows_ = false;
        MarkModified();
    }
    OnSelectionChanged();
}

void CProfilesPage::OnChangeFormat() const {
    std::array<char16_t, kPathUnits> path{};
    if (!BuildModulePath(path.data(), path.size(), contract::kBuilderFile, true)) {
        return;
    }
    const auto window = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Hwnd()));
    const auto line = BuilderCommandLine(path.data(), window, FormatToEdit(currentFormat_));
    if (line && StartBuilder(*line)) {
        return;
    }
    std::array<char16_t, kPathUnits> message{};
    I18N_wsprintf(message.data(), static_cast<int>(message.size()), text_id::kLaunchError,
                  MarkerType::String, FormatArg(AsU16(kBuilderName)), 0);
    MessageBoxW(Hwnd(), AsWide(message.data()), AsWide(kProductName), MB_ICONWARNING | MB_OK);
}

void CProfilesPage::OnFormatHandBack(const COPYDATASTRUCT& data) {
    const CopyDataText handed = ReadCopyDataText(data.dwData, data.lpData, data.cbData);
    // Only the profile the builder was started for may take the format.
    if (handed.status != CopyDataStatus::kAccepted || ShownRecord() == nullptr) {
        return;
    }
    currentFormat_ = handed.text;
    UpdateExample(true);
}

void CProfilesPage::UpdateExample(bool markModified) const {
    if (const auto example = ProfileExample(currentFormat_, LocalNowFileTime())) {
        SetItemText(Hwnd(), IDC_PROFILES_EXAMPLE, example->c_str());
        if (markModified) {
            MarkModified();
        }
        return;
    }
    MessageBoxW(Hwnd(), AsWide(I18N_ErrorStringFormat(0)), AsWide(I18N_TitleError(0)),
                MB_ICONWARNING | MB_OK);
}

bool CProfilesPage::OnOK() {
    TraceEnter(kOkTag);
    StoreShownProfile();
    SaveProfiles(profiles_, deleted_);
    UpdateTexts(false);
    TraceLeave(kOkTag);
    return true;
}

bool CProfilesPage::OnCommand(int id, int code, HWND control) {
    if (CPage::OnCommand(id, code, control)) {
        return true;
    }
    switch (MAKEWPARAM(id, code)) {
        case MAKEWPARAM(IDC_PROFILES_ALIAS, EN_CHANGE):
            OnAliasChanged();
            return true;
        case MAKEWPARAM(IDC_PROFILES_AUTOMAP, BN_CLICKED):
            OnAutoMapClicked();
            return true;
        case MAKEWPARAM(IDC_PROFILES_SECOND_CARD, BN_CLICKED):
            OnSecondSlotClicked();
            return true;
        case MAKEWPARAM(IDC_PROFILES_LETTER, CBN_SELCHANGE):
        case MAKEWPARAM(IDC_PROFILES_LETTER2, CBN_SELCHANGE):
        // A changed policy must be as easy to apply as any other change.
        case MAKEWPARAM(IDC_PROFILES_ASK, BN_CLICKED):
        case MAKEWPARAM(IDC_PROFILES_FIRST_AVAILABLE, BN_CLICKED):
        case MAKEWPARAM(IDC_PROFILES_LAST_AVAILABLE, BN_CLICKED):
            MarkModified();
            return true;
        case MAKEWPARAM(IDC_PROFILES_DELETE, BN_CLICKED):
            OnDelete();
            return true;
        case MAKEWPARAM(IDC_PROFILES_BUILD, BN_CLICKED):
            OnChangeFormat();
            return true;
        default:
            return false;
    }
}

std::optional<LRESULT> CProfilesPage::OnNotify(NMHDR& header) {
    if (header.idFrom != IDC_PROFILES_LIST) {
        return std::nullopt;
    }
    switch (header.code) {
        case LVN_ITEMCHANGED: {
            // Mouse and keyboard alike end here once the selection has moved.
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (!changingRows_ && (change.uChanged & LVIF_STATE) != 0 &&
                ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0) {
                OnSelectionChanged();
            }
            return 0;
        }
        case LVN_COLUMNCLICK:
            OnColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            return 0;
        default:
            return std::nullopt;
    }
}

std::optional<INT_PTR> CProfilesPage::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam) {
    if (message != WM_COPYDATA || lParam == 0) {
        return std::nullopt;
    }
    OnFormatHandBack(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return TRUE;
}

void CProfilesPage::SetDefaultRowText() const {
    HWND list = Item(IDC_PROFILES_LIST);
    const int rows = ListView_GetItemCount(list);
    for (int row = 0; row < rows; ++row) {
        const ProfileRecord* record = RecordOfRow(list, row);
        if (record != nullptr && record->isDefault) {
            std::u16string built;
            const char16_t* text = _GetResource(text_id::kDefaultProfileName, 0, &built, 0);
            SetCellText(list, row, 0, text != nullptr ? text : u"");
            return;
        }
    }
}

void CProfilesPage::FitAutoMapCheckBox() const {
    HWND box = Item(IDC_PROFILES_AUTOMAP);
    const std::u16string caption = GetItemText(Hwnd(), IDC_PROFILES_AUTOMAP);
    const WindowDc context(box);
    const SelectedObject font(context.Get(),
                              reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
    SIZE size{};
    if (context.Get() == nullptr ||
        !GetTextExtentPoint32W(context.Get(), AsWide(caption.c_str()),
                               static_cast<int>(caption.size()), &size)) {
        return;
    }
    SetWindowPos(box, nullptr, 0, 0, size.cx + 20, size.cy, SWP_NOMOVE | SWP_NOZORDER);
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
    SetDefaultRowText();
    FitAutoMapCheckBox();
    TraceLeave(kUpdateTextsTag);
}
