#include <windows.h>

#include <string>

#include "common/paths/folder_listing_win32.h"
#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "diag/housekeeping/file_housekeeping.h"
#include "diag/trace/trace.h"
#include "wialib/names/result_name.h"

namespace {

constexpr char16_t kDeleteFileTag[] = u"T4@DeleteFileEx: ";
constexpr char16_t kRemoveDirectoryTag[] = u"T5@RemoveDirectoryEx: ";
constexpr char16_t kDeleteTreeTag[] = u"T6@DeleteDirectoryRecursive: ";

// The attributes SetFileAttributes accepts.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_TEMPORARY;

bool IsLink(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool ClearReadOnly(const char16_t* path, DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_READONLY) == 0) {
        return true;
    }
    const DWORD kept = attributes & kSettableAttributes;
    return SetFileAttributesW(AsWide(path), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

// Deletes the link itself through a handle that is checked to be the link:
// a system that opens the target despite FILE_FLAG_OPEN_REPARSE_POINT (Wine
// does, and would delete an empty target) gets nothing deleted.
bool RemoveLink(const char16_t* path) {
    const UniqueHandle link(
        CreateFileW(AsWide(path), DELETE | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    FILE_ATTRIBUTE_TAG_INFO opened{};
    if (!link.IsValid() ||
        !GetFileInformationByHandleEx(link.Get(), FileAttributeTagInfo, &opened, sizeof opened) ||
        (opened.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        TracePrint(kRemoveDirectoryTag, u"Link cannot be removed as a link: %s", path);
        return false;
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(link.Get(), FileDispositionInfo, &disposition,
                                      sizeof disposition) != FALSE;
}

std::u16string Join(const char16_t* folder, const char16_t* name) {
    std::u16string path = folder;
    if (path.empty() || path.back() != u'\\') {
        path += u'\\';
    }
    return path + name;
}

bool IsDotEntry(const wchar_t* name) {
    return (name[0] == L'.' && name[1] == L'\0') ||
           (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

// Deletes every entry of a folder that is not a link; the number is the exit
// point traced on failure (1: not listed, 2: a folder, 3: a file), 0 on success.
int DeleteEntries(const char16_t* folder) {
    WIN32_FIND_DATAW entry;
    const FindHandle find(FindFirstFileW(AsWide(Join(folder, u"*").c_str()), &entry));
    if (!find.IsValid()) {
        return 1;
    }
    do {
        if (IsDotEntry(entry.cFileName)) {
            continue;
        }
        const std::u16string path = Join(folder, AsU16(entry.cFileName));
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            const bool removed = IsLink(entry.dwFileAttributes)
                                     ? RemoveDirectoryEx(path.c_str())
                                     : DeleteDirectoryRecursive(path.c_str());
            if (!removed) {
                return 2;
            }
        } else if (!DeleteFileEx(path.c_str())) {
            return 3;
        }
    } while (FindNextFileW(find.Get(), &entry));
    return 0;
}

}  // namespace

bool DeleteFileEx(const char16_t* path) {
    TraceEnter(kDeleteFileTag);
    TracePrint(kDeleteFileTag, u"%s", path);
    bool deleted = false;
    if (path != nullptr) {
        const DWORD attributes = GetFileAttributesW(AsWide(path));
        deleted = attributes != INVALID_FILE_ATTRIBUTES && ClearReadOnly(path, attributes) &&
                  DeleteFileW(AsWide(path)) != FALSE;
    }
    TraceReturn(kDeleteFileTag, deleted, ResultName(deleted));
    return deleted;
}

bool RemoveDirectoryEx(const char16_t* path) {
    TraceEnter(kRemoveDirectoryTag);
    TracePrint(kRemoveDirectoryTag, u"%s", path);
    bool removed = false;
    if (path != nullptr) {
        const DWORD attributes = GetFileAttributesW(AsWide(path));
        if (IsLink(attributes)) {
            removed = RemoveLink(path);
        } else {
            removed = attributes != INVALID_FILE_ATTRIBUTES && ClearReadOnly(path, attributes) &&
                      RemoveDirectoryW(AsWide(path)) != FALSE;
        }
    }
    TraceReturn(kRemoveDirectoryTag, removed, ResultName(removed));
    return removed;
}

bool DeleteDirectoryRecursive(const char16_t* folder) {
    TraceEnter(kDeleteTreeTag);
    if (folder == nullptr) {
        TraceReturn(kDeleteTreeTag, 1, 0, ResultName(0));
        return false;
    }
    // A link given as the folder is removed as a link, never emptied.
    if (!IsLink(GetFileAttributesW(AsWide(folder)))) {
        if (const int exitPoint = DeleteEntries(folder); exitPoint != 0) {
            TraceReturn(kDeleteTreeTag, exitPoint, 0, ResultName(0));
            return false;
        }
    }
    const bool removed = RemoveDirectoryEx(folder);
    TraceReturn(kDeleteTreeTag, 5, removed, ResultName(removed));
    return removed;
}
