#include "common/system/installation_check_win32.h"

#include <windows.h>

#include <string>

#include "common/catalogue/i18n_composed.h"
#include "common/catalogue/i18n_format.h"
#include "common/catalogue/text_ids.h"
#include "common/system/dokan_versions_win32.h"
#include "common/system/file_version_win32.h"
#include "common/system/module_path_win32.h"
#include "common/win32/wide_win32.h"
#include "common/windows_version/windows_version.h"
#include "config/mapper_contract.h"
#include "diag/text/text_units.h"
#include "diag/text/text_utils.h"

namespace {

void ShowError(const char16_t* text, UINT icon) {
    MessageBoxW(nullptr, AsWide(text), AsWide(I18N_TitleError(0)), MB_OK | icon);
}

std::u16string Upper(const char16_t* text) {
    std::u16string upper = text;
    for (char16_t& c : upper) {
        c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    }
    return upper;
}

void ShowNotCompatible(const char16_t* what, const char16_t* with) {
    char16_t text[520];
    I18N_wsprintf(text, static_cast<int>(std::size(text)), text_id::kNotCompatible,
                  MarkerType::String, MarkerType::String, what, with, 0);
    ShowError(text, MB_ICONEXCLAMATION);
}

// regsvr32 loads the applet while the driver may not be installed yet.
bool RunningInRegsvr32() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        return false;
    }
    const std::u16string full(AsU16(path), n);
    const std::u16string name = full.substr(full.find_last_of(u'\\') + 1);
    return name.size() == 12 && FindNoCase(name.c_str(), u"regsvr32.exe") == 0;
}

}  // namespace

bool CheckOsSupported(bool quiet) {
    char16_t name[50];
    const std::uint32_t flags = GetWindowsVersionFlags(name, std::size(name));
    if ((flags & winver::kNtFamily) != 0 && (flags & winver::kSupportedMask) != 0) {
        return true;
    }
    if (!quiet) {
        char16_t text[kPathUnits];
        I18N_wsprintf(text, static_cast<int>(std::size(text)), text_id::kUnsupportedWindows,
                      MarkerType::String, FormatArg(static_cast<const char16_t*>(name)), 0);
        ShowError(text, MB_ICONWARNING);
    }
    return false;
}

bool CheckInstallation(std::uint32_t* libraryVersion, std::uint32_t* driverVersion, bool quiet) {
    if (!CheckOsSupported(quiet)) {
        return false;
    }
    const DokanVersions dokan = QueryDokanVersions();
    if (libraryVersion != nullptr) {
        *libraryVersion = dokan.library;
    }
    if (driverVersion != nullptr) {
        *driverVersion = dokan.driver;
    }
    bool ok = true;
    if (dokan.library != kExpectedDokanVersion) {
        ok = false;
        if (!quiet) {
            ShowNotCompatible(Upper(contract::kAppletFile).c_str(),
                              Upper(contract::kDokanLibraryFile).c_str());
        }
    } else if (dokan.driver == 0) {
        if (!RunningInRegsvr32()) {
            ok = false;
            if (!quiet) {
                char16_t text[kPathUnits];
                I18N_wsprintf(text, static_cast<int>(std::size(text)), text_id::kNotAvailable,
                              MarkerType::String, FormatArg(contract::kDokanDriverFile), 0);
                ShowError(text, MB_ICONEXCLAMATION);
            }
        }
    } else if (dokan.driver != kExpectedDokanDriverVersion) {
        ok = false;
        if (!quiet) {
            ShowNotCompatible(Upper(contract::kAppletFile).c_str(),
                              Upper(contract::kDokanDriverFile).c_str());
        }
    }
    char16_t shellLibrary[kPathUnits];
    if (!BuildModulePath(shellLibrary, std::size(shellLibrary), contract::kShellLibraryFile,
                         false) ||
        !ok) {
        return false;
    }
    char16_t applet[kPathUnits];
    char16_t appletVersion[30];
    char16_t shellLibraryVersion[30];
    if (!BuildModulePath(applet, std::size(applet), contract::kAppletFile, false) ||
        !FormatFileVersion(applet, appletVersion, std::size(appletVersion)) ||
        !FormatFileVersion(shellLibrary, shellLibraryVersion, std::size(shellLibraryVersion))) {
        return true;
    }
    if (std::u16string(appletVersion) != shellLibraryVersion) {
        // Mismatched halves of an installation: shown even when quiet.
        ShowNotCompatible(contract::kAppletFile, contract::kShellLibraryFile);
        return false;
    }
    return true;
}
