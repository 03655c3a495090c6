#include "common/paths/known_folders_win32.h"

#include <windows.h>

#include <shlobj.h>

#include "common/win32/wide_win32.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/quiet_string.h"

namespace {

bool FromShell(int csidl, char16_t* buffer, std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) {
        return false;
    }
    buffer[0] = u'\0';
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                folder)) ||
        folder[0] == L'\0' || wcslen(folder) >= capacity) {
        return false;
    }
    CopyQuiet(buffer, capacity, AsU16(folder));
    return true;
}

}  // namespace

bool GetLocalAppDataFolder(char16_t* buffer, std::size_t capacity) {
    return FromShell(CSIDL_LOCAL_APPDATA, buffer, capacity);
}

bool GetCommonAppDataFolder(char16_t* buffer, std::size_t capacity) {
    return FromShell(CSIDL_COMMON_APPDATA, buffer, capacity);
}

bool GetTempFolder(char16_t* buffer, std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) {
        return false;
    }
    buffer[0] = u'\0';
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    if (n == 0 || n > MAX_PATH || n >= capacity) {
        return false;
    }
    CopyQuiet(buffer, capacity, AsU16(folder));
    return true;
}
