#include "common/system/module_path_win32.h"

#include <windows.h>

#include <string>

#include "common/paths/path_helpers.h"
#include "common/win32/wide_win32.h"
#include "config/settings_registry.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/quiet_string.h"
#include "diag/text/text_units.h"

namespace {

std::u16string Joined(const std::u16string& folder, const char16_t* name) {
    std::u16string path = folder;
    if (!path.empty() && path.back() != u'\\') {
        path += u'\\';
    }
    return path + name;
}

}  // namespace

bool GetOwnModuleFolder(char16_t* buffer, std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) {
        return false;
    }
    buffer[0] = u'\0';
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&GetOwnModuleFolder), &self)) {
        return false;
    }
    wchar_t path[kPathUnits];
    const DWORD n = GetModuleFileNameW(self, path, kPathUnits);
    if (n == 0 || n >= kPathUnits) {
        return false;
    }
    std::u16string folder(AsU16(path), n);
    folder.resize(folder.find_last_of(u'\\') == std::u16string::npos ? 0
                                                                     : folder.find_last_of(u'\\'));
    if (folder.empty() || folder.size() >= capacity) {
        return false;
    }
    CopyQuiet(buffer, capacity, folder.c_str());
    return true;
}

bool BuildModulePath(char16_t* buffer, std::size_t capacity, const char16_t* fileName, bool quote) {
    if (buffer == nullptr || capacity == 0) {
        return false;
    }
    buffer[0] = u'\0';
    char16_t folder[kPathUnits];
    if (fileName == nullptr || Registry_Get_InstallDir(folder, kPathUnits) == nullptr) {
        return false;
    }
    std::u16string path = Joined(folder, fileName);
    if (!FileExists(path.c_str(), nullptr)) {
        if (!GetOwnModuleFolder(folder, kPathUnits)) {
            return false;
        }
        path = Joined(folder, fileName);
    }
    if (quote && path.find(u' ') != std::u16string::npos) {
        path = u"\"" + path + u"\"";
    }
    if (path.size() >= capacity) {
        return false;  // a cut path names another file
    }
    CopyQuiet(buffer, capacity, path.c_str());
    return true;
}
