#include <windows.h>

#include <string>

#include "common/catalogue/i18n_composed.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "config/reg_key_win32.h"
#include "diag/housekeeping/drive_icon.h"
#include "diag/text/text_units.h"
#include "diag/trace/trace.h"
#include "wialib/names/result_name.h"

namespace {

constexpr char16_t kTag[] = u"T2@RemoveDriveIcon: ";
// Longer than any owner name worth comparing; the comparison is exact.
constexpr std::size_t kOwnerUnits = kPathUnits;

bool IsDriveLetter(char16_t letter) {
    return (letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z');
}

std::u16string Below(const std::u16string& key, const char16_t* name) {
    return key + u"\\" + name;
}

void ShowAccessDenied() {
    const std::u16string text = I18N_ErrorDriveIcon(0, 0);
    const std::u16string title = I18N_TitleError(0);
    MessageBoxW(nullptr, AsWide(text.c_str()), AsWide(title.c_str()), MB_OK | MB_ICONEXCLAMATION);
}

// The drive icons key goes only when nothing of anyone else is left in it.
void RemoveDriveIconsKeyIfEmpty() {
    const auto counts =
        RegKey::OpenForRead(HKEY_CURRENT_USER, contract::kDriveIconsKey).QueryCounts();
    if (counts && counts->subkeys == 0 && counts->values == 0) {
        RegKey::DeleteKey(HKEY_CURRENT_USER, contract::kDriveIconsKey);
    }
}

}  // namespace

std::uint32_t RemoveDriveIcon(char16_t letter) {
    TraceEnter(kTag);
    TracePrint(kTag, u"Drive=%c", letter);
    const std::u16string key =
        std::u16string(contract::kDriveIconsKey) + u"\\" + std::u16string(1, letter);
    {
        const RegKey drive =
            IsDriveLetter(letter) ? RegKey::OpenForRead(HKEY_CURRENT_USER, key.c_str()) : RegKey();
        if (!drive.IsOpen()) {
            TraceReturn(kTag, 3, 0, ResultName(0));
            return 0;
        }
        const auto owner = drive.ReadString(u"", kOwnerUnits);
        if (!owner) {
            TraceReturn(kTag, 2, 0, ResultName(0));
            return 0;
        }
        if (*owner != contract::kDriveIconOwner) {
            TraceReturn(kTag, 1, 0, ResultName(0));
            return 0;
        }
    }
    std::uint32_t result = S_OK;
    const std::u16string icon = Below(key, contract::kDefaultIcon);
    if (RegDeleteKeyW(HKEY_CURRENT_USER, AsWide(icon.c_str())) == ERROR_ACCESS_DENIED) {
        ShowAccessDenied();
        result = static_cast<std::uint32_t>(E_UNEXPECTED);
    }
    RegKey::DeleteKey(HKEY_CURRENT_USER, Below(key, contract::kDefaultLabel).c_str());
    RegKey::DeleteKey(HKEY_CURRENT_USER, key.c_str());
    RemoveDriveIconsKeyIfEmpty();
    TraceReturn(kTag, 4, result, ResultName(result));
    return result;
}
