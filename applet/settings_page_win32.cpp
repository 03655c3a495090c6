#include "applet/settings_page_win32.h"

#include <array>

#include "applet/settings_page_ids.h"
#include "common/catalogue/i18n_accessors.h"
#include "common/catalogue/i18n_composed.h"
#include "common/catalogue/i18n_format.h"
#include "common/catalogue/text_ids.h"
#include "common/dialog/controls_win32.h"
#include "common/i18n_init/i18n_init_win32.h"
#include "diag/trace/trace.h"

namespace {
constexpr char16_t kUpdateTextsTag[] = u"CPL10@CSettingsPage::UpdateTexts: ";
constexpr char16_t kOkTag[] = u"CPL11@CSettingsPage::OnOK: ";
}  // namespace

bool CSettingsPage::OnInitDialog() {
    CPage::OnInitDialog();
    UpdateTexts(false);
    return true;
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
    TraceLeave(kUpdateTextsTag);
}

bool CSettingsPage::OnOK() {
    TraceEnter(kOkTag);
    UpdateTexts(false);
    TraceLeave(kOkTag);
    return true;
}
