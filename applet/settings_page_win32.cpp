#include "applet/settings_page_win32.h"

#include <commctrl.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "applet/main_dlg_ids.h"
#include "applet/settings/settings_page_rules.h"
#include "applet/settings_page_ids.h"
#include "applet/settings_page_picker_win32.h"
#include "applet/wia_dump_win32.h"
#include "common/catalogue/i18n_accessors.h"
#include "common/catalogue/i18n_composed.h"
#include "common/catalogue/i18n_format.h"
#include "common/catalogue/text_ids.h"
#include "common/dialog/controls_win32.h"
#include "common/i18n_init/i18n_init_win32.h"
#include "common/language/language_files_win32.h"
#include "common/system/module_path_win32.h"
#include "common/system/vendor_site.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "config/settings_registry.h"
#include "diag/housekeeping/registry_enum_win32.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/text_units.h"
#include "diag/trace/trace.h"
#include "wialib/names/result_name.h"
#include "wialib/wia/wialib_win32.h"

namespace {

constexpr char16_t kInitTag[] = u"CPL12@CSettingsPage::OnInitDialog: ";
constexpr char16_t kUpdateTextsTag[] = u"CPL10@CSettingsPage::UpdateTexts: ";
constexpr char16_t kOkTag[] = u"CPL11@CSettingsPage::OnOK: ";
constexpr char16_t kBrowseTag[] = u"CPL13@CSettingsPage::OnBrowse: ";
constexpr char16_t kDumpTag[] = u"CPL14@CSettingsPage::OnDump: ";
constexpr char16_t kRegisterTag[] = u"CPL15@CSettingsPage::OnRegister: ";

constexpr char16_t kBuiltInEnglish[] = u"English (English) - internal";
constexpr std::size_t kSizeTextUnits = 6;
constexpr std::size_t kDefaultFormatUnits = 200;
constexpr std::size_t kPickerTitleUnits = 300;

// The mapper as the handler of every camera's connection: its path, the
// English description, the product's name and icon 0, listed, recursing.
constexpr int kRegisterOnThread = 1;
constexpr int kHandlerIcon = 0;
constexpr int kRegisterListing = 1;
constexpr int kRegister = 1;
constexpr int kRegisterRecurse = 1;
constexpr int kNotDefaultHandler = 0;
constexpr DWORD kRegisterTimeoutMs = 10000;
// HRESULT_FROM_WIN32(ERROR_SERVICE_DISABLED): no WIA service to register with.
constexpr HRESULT kWiaServiceDisabled = static_cast<HRESULT>(0x80070422);
constexpr char16_t kWiaServiceDisabledMessage[] =
    u"Looks like there is no USB present or the STISVC (Windows Image Acquisition - WIA) "
    u"service is disabled/not running.\n\nThe registration cannot be done.";

// Tab 0 of the main dialog: the Settings page.
void SelectOwnTab(HWND page) {
    HWND host = GetParent(page);
    HWND tabs = GetDlgItem(host, IDC_MAIN_TABS);
    NMHDR header{};
    header.hwndFrom = tabs;
    header.idFrom = IDC_MAIN_TABS;
    header.code = TCN_SELCHANGING;
    SendMessageW(host, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    TabCtrl_SetCurSel(tabs, 0);
    header.code = TCN_SELCHANGE;
    SendMessageW(host, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

}  // namespace

bool CSettingsPage::OnInitDialog() {
    TraceEnter(kInitTag);
    CPage::OnInitDialog();
    std::array<char16_t, kPathUnits> path{};
    current_ =
        Registry_Get_CacheRoot(path.data(), path.size(), true) != nullptr ? path.data() : u"";
    pending_ = Registry_Get_CacheRootPending(path.data(), path.size());
    storedPending_ = pending_;
    if (pending_.empty()) {
        pending_ = current_;
    }
    FillLanguageList();
    sizeText_ = std::u16string(AsU16(std::to_wstring(Registry_Get_CacheSize())));
    SendDlgItemMessageW(Hwnd(), IDC_SETTINGS_CACHE_SIZE, EM_LIMITTEXT, kSizeTextUnits, 0);
    SendDlgItemMessageW(Hwnd(), IDC_SETTINGS_CACHE_SIZE_SPIN, UDM_SETRANGE32, 0,
                        contract::kMaxCacheSizeMiB);
    logging_ = Registry_IsLoggingEnabled();
    batteryCheck_ = Registry_IsBatteryCheckEnabled();
    Exchange(true);
    std::array<char16_t, kDefaultFormatUnits + 1> format{};
    defaultFormat_ = Registry_Get_DefaultFormatString(format.data(), format.size());
    UpdateTexts(false);
    TraceLeave(kInitTag);
    return true;
}

void CSettingsPage::FillLanguageList() {
    HWND page = Hwnd();
    ComboAdd(page, IDC_SETTINGS_LANGUAGE, kBuiltInEnglish, 0);
    I18N_EnumLngFiles(&languageNames_, &languagePaths_);
    std::vector<std::optional<std::u16string>> entries{std::nullopt};
    for (std::size_t index = 0; index < languageNames_.size(); ++index) {
        ComboAdd(page, IDC_SETTINGS_LANGUAGE, languageNames_[index].c_str(),
                 reinterpret_cast<LPARAM>(languagePaths_[index].c_str()));
        entries.emplace_back(languagePaths_[index]);
    }
    std::array<char16_t, kPathUnits> stored{};
    Registry_Get_LngFile(stored.data(), stored.size());
    ComboSelect(page, IDC_SETTINGS_LANGUAGE,
                static_cast<int>(SelectedLanguageEntry(entries, stored.data())));
}

void CSettingsPage::Exchange(bool toControls) {
    DataExchange exchange(Hwnd(), toControls);
    exchange.Text(IDC_SETTINGS_CACHE_CURRENT, current_, kPathUnits);
    exchange.Text(IDC_SETTINGS_CACHE_PENDING, pending_, kPathUnits);
    exchange.Text(IDC_SETTINGS_CACHE_SIZE, sizeText_, kSizeTextUnits);
    const struct {
        int id;
        bool& value;
    } boxes[] = {{IDC_SETTINGS_LOGGING, logging_}, {IDC_SETTINGS_BATTERY, batteryCheck_}};
    for (const auto& box : boxes) {
        if (toControls) {
            CheckDlgButton(Hwnd(), box.id, box.value ? BST_CHECKED : BST_UNCHECKED);
        } else {
            box.value = IsDlgButtonChecked(Hwnd(), box.id) == BST_CHECKED;
        }
    }
}

void CSettingsPage::UpdateTexts(bool reload) {
    TraceEnter(kUpdateTextsTag);
    if (reload) {
        I18N_Reload();
    }
    HWND page = Hwnd();
    SetItemText(page, IDC_SETTINGS_LANGUAGE_GROUP, I18N_Language(0));
    SetItemText(page, IDC_SETTINGS_CACHE_GROUP, I18N_CacheSettings(0));
    SetItemText(page, IDC_SETTINGS_CURRENT_LABEL, I18N_LocationCurrent(0));
    SetItemText(page, IDC_SETTINGS_PENDING_LABEL, I18N_LocationPending(0));
    SetItemText(page, IDC_SETTINGS_BROWSE, I18N_GUIBrowse(0));
    SetItemText(page, IDC_SETTINGS_SIZE_LABEL, I18N_Size(0));
    SetItemText(page, IDC_SETTINGS_DIAGNOSTICS_GROUP, I18N_Diagnostics(0));
    SetItemText(page, IDC_SETTINGS_LOGGING, I18N_GUIEnableTrace(0));
    std::array<char16_t, 100> dump{};
    I18N_wsprintf(dump.data(), static_cast<int>(dump.size()), text_id::kDumpCaption,
                  MarkerType::String, FormatArg(u"WIA"), 0);
    SetItemText(page, IDC_SETTINGS_DUMP, dump.data());
    SetItemText(page, IDC_SETTINGS_REGISTER, I18N_GUIRegisterWIA(0));
    SetItemText(page, IDC_SETTINGS_BATTERY, I18N_GUIBatteryCheck(0));
    UpdateRegisterButton();
    TraceLeave(kUpdateTextsTag);
}

void CSettingsPage::UpdateRegisterButton() {
    const int registered = EnumRegistry(HKEY_LOCAL_MACHINE, contract::kCameraConnectedKey, u"",
                                        contract::kCameraConnectedCommand, contract::kMapperFile,
                                        kEnumCount, nullptr, nullptr, 0, nullptr);
    EnableItem(Hwnd(), IDC_SETTINGS_REGISTER, registered == 0);
}

bool CSettingsPage::CacheSizeAccepted() {
    const int size = CacheSizeFromText(sizeText_);
    return size >= Registry_GetMinCacheSize() && size <= contract::kMaxCacheSizeMiB;
}

void CSettingsPage::RefuseCacheSize() {
    SelectOwnTab(Hwnd());
    std::array<char16_t, 200> text{};
    I18N_wsprintf(text.data(), static_cast<int>(text.size()), text_id::kCacheSizeRange,
                  MarkerType::Integer, MarkerType::Integer, Registry_GetMinCacheSize(),
                  contract::kMaxCacheSizeMiB, 0);
    MessageBoxW(Hwnd(), AsWide(text.data()), AsWide(kProductName), MB_OK | MB_ICONWARNING);
    HWND size = Item(IDC_SETTINGS_CACHE_SIZE);
    SendMessageW(GetParent(Hwnd()), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(size), TRUE);
    SendMessageW(size, EM_SETSEL, 0, -1);
}

void CSettingsPage::StoreLanguage() {
    const int selected = ComboSelection(Hwnd(), IDC_SETTINGS_LANGUAGE);
    if (selected < 0) {
        return;
    }
    const auto* path = reinterpret_cast<const char16_t*>(SendDlgItemMessageW(
        Hwnd(), IDC_SETTINGS_LANGUAGE, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
    if (path == nullptr) {
        Registry_Set_LngFile(nullptr);
        return;
    }
    const std::u16string name(LanguageFileName(path));
    Registry_Set_LngFile(name.c_str());
}

bool CSettingsPage::OnOK() {
    TraceEnter(kOkTag);
    Exchange(false);
    // Checked before anything is stored, so that a refusal stores nothing.
    if (!CacheSizeAccepted()) {
        RefuseCacheSize();
        TraceLeave(kOkTag);
        return false;
    }
    // A root picked back after another was stored replaces that one too:
    // otherwise the earlier choice would still move (and delete) the cache.
    if (pending_ != current_ || (!storedPending_.empty() && pending_ != storedPending_)) {
        Registry_Set_CacheRootPending(pending_.c_str());
    }
    Registry_Set_CacheSize(CacheSizeFromText(sizeText_));
    Registry_SetLoggingEnabled(logging_);
    Registry_SetBatteryCheckEnabled(batteryCheck_);
    Registry_Set_DefaultFormatString(defaultFormat_.c_str());
    StoreLanguage();
    UpdateTexts(true);
    TraceLeave(kOkTag);
    return true;
}

void CSettingsPage::OnBrowse() {
    TraceEnter(kBrowseTag);
    std::array<char16_t, kPickerTitleUnits> title{};
    I18N_wsprintf(title.data(), static_cast<int>(title.size()), text_id::kPickerTitle,
                  MarkerType::String, FormatArg(kProductName), 0);
    for (const char16_t* part :
         {u":\n(\"", u"Camfolio\\CAMFOLIO_CACHE", u"\" ", I18N_WillBeAddedAutomatically(0), u")"}) {
        _TcsCat(title.data(), title.size(), part);
    }
    Exchange(false);
    if (const auto picked = PickFolder(Hwnd(), title.data(), pending_.c_str())) {
        pending_ = CleanPickedCacheRoot(*picked);
        Exchange(true);
        MarkModified();
    }
    TraceLeave(kBrowseTag);
}

void CSettingsPage::OnDump() {
    TraceEnter(kDumpTag);
    if (StartWiaDump(Hwnd())) {
        EnableItem(Hwnd(), IDC_SETTINGS_DUMP, false);
    }
    TraceLeave(kDumpTag);
}

void CSettingsPage::OnRegister() {
    TraceEnter(kRegisterTag);
    std::array<char16_t, kPathUnits> program{};
    if (!BuildModulePath(program.data(), program.size(), contract::kMapperFile, false)) {
        TraceLeave(kRegisterTag, 1);
        return;
    }
    const HRESULT result = WiaLib_RegisterDeregisterProgram(
        kRegisterOnThread, program.data(), I18N_MapThisDeviceToDriveLetter(1), kProductName,
        kHandlerIcon, kRegisterListing, kRegister, kRegisterRecurse, kNotDefaultHandler, nullptr,
        kRegisterTimeoutMs);
    if (FAILED(result)) {
        std::array<char16_t, 200> text{};
        if (result == kWiaServiceDisabled) {
            _TcsCpy(text.data(), text.size(), kWiaServiceDisabledMessage);
        } else {
            I18N_wsprintf(text.data(), static_cast<int>(text.size()), text_id::kRegisterFailed,
                          MarkerType::String, FormatArg(kProductName), 0);
        }
        MessageBoxW(Hwnd(), AsWide(text.data()), AsWide(I18N_TitleError(0)),
                    MB_OK | MB_ICONWARNING);
    }
    UpdateRegisterButton();
    TracePrint(kRegisterTag, u"RC=0x%08X (%s)", static_cast<std::uint32_t>(result),
               ResultName(static_cast<std::uint32_t>(result)));
    TraceLeave(kRegisterTag, 2);
}

std::optional<INT_PTR> CSettingsPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kWiaDumpEnded) {
        EnableItem(Hwnd(), IDC_SETTINGS_DUMP, true);
        return TRUE;
    }
    return CPage::OnMessage(message, wParam, lParam);
}

bool CSettingsPage::OnCommand(int id, int code, HWND control) {
    switch (MAKEWPARAM(id, code)) {
        case MAKEWPARAM(IDC_SETTINGS_CACHE_SIZE, EN_CHANGE):
        case MAKEWPARAM(IDC_SETTINGS_LANGUAGE, CBN_SELCHANGE):
        case MAKEWPARAM(IDC_SETTINGS_LOGGING, BN_CLICKED):
        case MAKEWPARAM(IDC_SETTINGS_BATTERY, BN_CLICKED):
            MarkModified();
            return true;
        case MAKEWPARAM(IDC_SETTINGS_BROWSE, BN_CLICKED):
            OnBrowse();
            return true;
        case MAKEWPARAM(IDC_SETTINGS_DUMP, BN_CLICKED):
            OnDump();
            return true;
        case MAKEWPARAM(IDC_SETTINGS_REGISTER, BN_CLICKED):
            OnRegister();
            return true;
        default:
            return CPage::OnCommand(id, code, control);
    }
}
