#include "common/system/file_version_win32.h"

#include <vector>

#include "common/catalogue/i18n_accessors.h"
#include "common/win32/wide_win32.h"
#include "diag/strings/bounded_string.h"

bool GetFileVersionFixed(const char16_t* path, VS_FIXEDFILEINFO* fixed) {
    if (path == nullptr || fixed == nullptr) {
        return false;
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(AsWide(path), &ignored);
    if (size == 0) {
        return false;
    }
    std::vector<std::uint8_t> block(size);
    void* root = nullptr;
    UINT rootSize = 0;
    if (!GetFileVersionInfoW(AsWide(path), 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", &root, &rootSize) || root == nullptr ||
        rootSize < sizeof(VS_FIXEDFILEINFO)) {
        return false;
    }
    *fixed = *static_cast<const VS_FIXEDFILEINFO*>(root);
    return true;
}

bool FormatFileVersion(const char16_t* path, char16_t* buffer, std::size_t capacity) {
    VS_FIXEDFILEINFO fixed{};
    if (buffer == nullptr || capacity == 0 || !GetFileVersionFixed(path, &fixed)) {
        return false;
    }
    WsPrintf(buffer, static_cast<int>(capacity), u"%d.%d (%s %d)", HIWORD(fixed.dwFileVersionMS),
             LOWORD(fixed.dwFileVersionMS), I18N_Build(0), LOWORD(fixed.dwFileVersionLS));
    return true;
}
