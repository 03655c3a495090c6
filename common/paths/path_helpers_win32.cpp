#include <windows.h>
#include <winnetwk.h>

#include <memory>
#include <string>

#include "common/paths/path_helpers.h"
#include "common/win32/wide_win32.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/quiet_string.h"
#include "diag/text/text_units.h"

namespace {

// Makes one folder; an existing folder is as good, an existing file is not.
bool MakeFolder(const char16_t* path) {
    if (CreateDirectoryW(AsWide(path), nullptr)) {
        return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(AsWide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

struct EnumCloser {
    void operator()(HANDLE h) const { WNetCloseEnum(h); }
};

bool IsRememberedConnection(const char16_t* root) {
    HANDLE raw = nullptr;
    if (WNetOpenEnumW(RESOURCE_REMEMBERED, RESOURCETYPE_DISK, 0, nullptr, &raw) != NO_ERROR) {
        return false;
    }
    const std::unique_ptr<void, EnumCloser> enumeration(raw);
    constexpr DWORD kBufferBytes = 16 * 1024;
    auto buffer = std::make_unique<std::uint64_t[]>(kBufferBytes / sizeof(std::uint64_t));
    auto* resources = reinterpret_cast<NETRESOURCEW*>(buffer.get());
    for (;;) {
        DWORD count = static_cast<DWORD>(-1);
        DWORD size = kBufferBytes;
        if (WNetEnumResourceW(raw, &count, resources, &size) != NO_ERROR) {
            return false;
        }
        for (DWORD i = 0; i < count; ++i) {
            const char16_t* local = AsU16(resources[i].lpLocalName);
            if (local != nullptr && local[0] != u'\0' &&
                FoldAscii(local[0]) == FoldAscii(root[0]) &&
                FoldAscii(local[1]) == FoldAscii(root[1])) {
                return true;
            }
        }
    }
}

}  // namespace

unsigned GetDriveTypeEx(const char16_t* root) {
    const unsigned type = GetDriveTypeW(AsWide(root));
    if (type == kDriveNoRootDir && root != nullptr && root[0] != u'\0' && root[1] != u'\0' &&
        IsRememberedConnection(root)) {
        return DRIVE_REMOVABLE;
    }
    return type;
}

bool EnsurePath(const char16_t* path, bool createLast) {
    if (path == nullptr) {
        return false;
    }
    const std::size_t length = std::char_traits<char16_t>::length(path);
    std::size_t rootEnd = 0;  // index of the "\" after ":"
    while (rootEnd + 1 < length && !(path[rootEnd] == u':' && path[rootEnd + 1] == u'\\')) {
        ++rootEnd;
    }
    if (rootEnd + 1 >= length) {
        return false;
    }
    ++rootEnd;
    if (rootEnd + 1 == length) {
        char16_t root[kPathUnits];
        CopyQuiet(root, kPathUnits, path);
        return GetDriveTypeEx(root) != kDriveNoRootDir;
    }
    // A cut path would name other folders than the caller's: refuse it.
    if (length >= kPathUnits) {
        return false;
    }
    char16_t copy[kPathUnits];
    CopyQuiet(copy, kPathUnits, path);
    bool handled = false;
    for (std::size_t i = rootEnd + 1; i < length; ++i) {
        if (copy[i] != u'\\') {
            continue;
        }
        copy[i] = u'\0';
        const bool made = MakeFolder(copy);
        copy[i] = u'\\';
        if (!made) {
            return false;
        }
        handled = true;
    }
    if (!createLast) {
        return handled;
    }
    return path[length - 1] == u'\\' ? true : MakeFolder(copy);
}

bool FileExists(const char16_t* path, const char16_t* name) {
    if (path == nullptr) {
        return false;
    }
    char16_t full[kPathUnits * 2];
    if (CopyQuiet(full, std::size(full), path) != std::char_traits<char16_t>::length(path)) {
        return false;
    }
    if (name != nullptr) {
        const std::size_t length = std::char_traits<char16_t>::length(full);
        if (length > 0 && full[length - 1] != u'\\') {
            AppendQuiet(full, std::size(full), u"\\");
        }
        const std::size_t before = std::char_traits<char16_t>::length(full);
        if (AppendQuiet(full, std::size(full), name) !=
            before + std::char_traits<char16_t>::length(name)) {
            return false;
        }
    }
    return GetFileAttributesW(AsWide(full)) != INVALID_FILE_ATTRIBUTES;
}
