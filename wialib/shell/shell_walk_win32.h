#pragma once
// The walk of the shell namespace from the desktop down to a device and
// below it.
#include <shlobj.h>
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/win32/ownership_win32.h"
#include "wialib/shell/shell_lookup_win32.h"

// What one walk looks for and what it has found so far.
struct ShellWalk {
    int depthLimit = 0;
    bool trace = false;
    std::u16string deviceParsingName;
    std::optional<std::u16string> itemParsingName;
    ShellObjectsFn function = nullptr;
    void* userData = nullptr;
    ShellItemNames itemNames;
    std::vector<std::u16string>* names = nullptr;
    std::vector<std::u16string>* parsingNames = nullptr;
    std::vector<std::u16string>* sizes = nullptr;

    bool deviceFound = false;
    bool itemFound = false;
    bool done = false;

    bool ListsNames() const { return names != nullptr && parsingNames != nullptr; }
    bool WantsBeyondDevice() const {
        return itemParsingName.has_value() || !itemNames.empty() || ListsNames();
    }
};

// Walks the children of folder (at level; the desktop is level 0) and,
// through the Computer folder, the device's subtree. The prefixes begin the
// display and parsing paths of the children's entries. Releases folder.
// The result is that of the last shell call.
HRESULT _EnumIShellFolder(ComRef<IShellFolder> folder, int level, ShellWalk& walk,
                          std::u16string_view displayPrefix, std::u16string_view parsingPrefix);
