#pragma once
// Lists a folder with FindFirstFileW/FindNextFileW; the search handle is
// closed however the listing ends.
#include <windows.h>

#include <string>
#include <string_view>

#include "common/win32/wide_win32.h"

class FindHandle {
  public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle() {
        if (IsValid()) {
            FindClose(handle_);
        }
    }
    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

// folder + "\" + name, with no second "\" when folder already ends in one.
inline std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
    // One allocation: a walk joins a path for every file it meets.
    std::u16string path;
    path.reserve(folder.size() + 1 + name.size());
    path = folder;
    if (path.empty() || path.back() != u'\\') {
        path += u'\\';
    }
    path += name;
    return path;
}

inline bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// A junction or symbolic link: never entered, so nothing outside is touched.
inline bool IsLink(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

inline bool IsFolder(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Calls visit(entry) for every entry but "." and ".." while it returns true.
// False when the folder cannot be listed. An empty folder path is refused:
// "\*" would list the root of the current drive.
template <typename Visit>
bool ForEachFolderEntry(std::u16string_view folder, Visit&& visit) {
    if (folder.empty()) {
        return false;
    }
    WIN32_FIND_DATAW entry;
    const FindHandle find(FindFirstFileW(AsWide(JoinPath(folder, u"*").c_str()), &entry));
    if (!find.IsValid()) {
        return false;
    }
    do {
        if (!IsDotEntry(entry.cFileName) && !visit(static_cast<const WIN32_FIND_DATAW&>(entry))) {
            break;
        }
    } while (FindNextFileW(find.Get(), &entry));
    return true;
}
