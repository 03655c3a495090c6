#pragma once
// Finds a camera in the shell namespace (under the Computer folder) by its
// parsing name and, as asked, items of it, the names and parsing names of
// everything below it, or shell objects of the device or items for a
// caller's function.
#include <shlobj.h>
#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

// The objects the parent folder gives for what was found; each may be null,
// and all are released when the function returns.
using ShellObjectsFn = void (*)(IDataObject* data, IContextMenu* menu, IShellExtInit* init,
                                void* userData, int kind);
inline constexpr int kShellObjectsOfDevice = 0;
inline constexpr int kShellObjectsOfItems = 1;

inline constexpr DWORD kShellLookupExitCode = 0xDEAD0013;

// Where the walk starts; SHGetDesktopFolder unless a test sets another.
using DesktopFolderSource = HRESULT (*)(IShellFolder** folder);
// Null restores SHGetDesktopFolder; returns the source used before.
DesktopFolderSource SetDesktopFolderSource(DesktopFolderSource source);

// Item names are rewritten in place from WIA object ids ("o1F") to their
// shell form; an entry found is cleared.
using ShellItemNames = std::span<std::optional<std::u16string>>;

struct ShellLookupRequest {
    HANDLE done = nullptr;  // signalled when the worker ends; null on the caller's thread
    const char16_t* deviceKey = nullptr;
    const char16_t* itemName = nullptr;
    int trace = 0;
    ShellObjectsFn function = nullptr;
    void* userData = nullptr;
    HRESULT result = E_FAIL;
    ShellItemNames itemNames;
    std::vector<std::u16string>* names = nullptr;
    std::vector<std::u16string>* parsingNames = nullptr;
    std::vector<std::u16string>* sizes = nullptr;
    int depthLimit = -1;
};

// With onThread the lookup runs on a thread of its own (with its own COM
// initialisation) while the caller waits; otherwise, or when no thread can be
// started, on the caller's. depthLimit -1 walks without limit.
HRESULT GetIShellObjectsForDevice(bool onThread, const char16_t* deviceKey,
                                  const char16_t* itemName, int trace, ShellObjectsFn function,
                                  void* userData, ShellItemNames itemNames,
                                  std::vector<std::u16string>* names,
                                  std::vector<std::u16string>* parsingNames, int depthLimit,
                                  std::vector<std::u16string>* sizes);

// The worker; request is a ShellLookupRequest.
DWORD WINAPI GetIShellObjectsForDeviceFn(void* request);
