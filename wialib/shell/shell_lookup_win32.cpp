#include "wialib/shell/shell_lookup_win32.h"

#include <atomic>

#include "common/win32/ownership_win32.h"
#include "common/windows_version/windows_version.h"
#include "diag/trace/trace.h"
#include "wialib/names/result_name.h"
#include "wialib/shell/shell_names.h"
#include "wialib/shell/shell_tags.h"
#include "wialib/shell/shell_walk_win32.h"

namespace {

HRESULT ShellDesktopFolder(IShellFolder** folder) {
    return SHGetDesktopFolder(folder);
}

std::atomic<DesktopFolderSource> desktopFolderSource{ShellDesktopFolder};

void TraceResult(const char16_t* tag, HRESULT hr) {
    TraceReturn(tag, static_cast<std::uint32_t>(hr), ResultName(static_cast<std::uint32_t>(hr)));
}

// The item name as the shell parses it; null when it has no form the shell knows.
std::optional<std::u16string> ItemParsingName(const char16_t* itemName) {
    if (auto braced = ObjectIdParsingName(itemName)) {
        TracePrint(kGetShellObjectsFnTag, u"Looking for \"%s\"", *braced);
        return braced;
    }
    if (IsBracedName(itemName)) {
        return std::u16string(itemName);
    }
    TracePrint(kGetShellObjectsFnTag, u"Incompatible item name \"%s\"", itemName);
    return std::nullopt;
}

HRESULT Lookup(ShellLookupRequest& request) {
    ComRef<IShellFolder> desktop;
    const HRESULT got = desktopFolderSource.load()(desktop.Put());
    if (FAILED(got) || !desktop) {
        return FAILED(got) ? got : E_FAIL;
    }
    ShellWalk walk;
    walk.deviceParsingName = DeviceParsingName(request.deviceKey, IsMultiCardSystem());
    TracePrint(kGetShellObjectsFnTag, u"Looking for \"%s\"", request.deviceKey);
    if (request.itemName != nullptr) {
        walk.itemParsingName = ItemParsingName(request.itemName);
        if (!walk.itemParsingName) {
            return E_INVALIDARG;
        }
    }
    for (std::size_t i = 0; i < request.itemNames.size(); ++i) {
        std::optional<std::u16string>& name = request.itemNames[i];
        if (!name) {
            continue;
        }
        if (auto braced = ObjectIdParsingName(*name)) {
            name = std::move(braced);
            TracePrint(kGetShellObjectsFnTag, u"Looking for [%d] \"%s\"", static_cast<int>(i),
                       *name);
        }
    }
    walk.trace = request.trace != 0;
    walk.function = request.function;
    walk.userData = request.userData;
    walk.itemNames = request.itemNames;
    walk.names = request.names;
    walk.parsingNames = request.parsingNames;
    walk.sizes = request.sizes;
    walk.depthLimit = LookupDepth(walk.WantsBeyondDevice(), request.depthLimit);
    return _EnumIShellFolder(std::move(desktop), 0, walk, u"", u"");
}

}  // namespace

DesktopFolderSource SetDesktopFolderSource(DesktopFolderSource source) {
    return desktopFolderSource.exchange(source != nullptr ? source : ShellDesktopFolder);
}

DWORD WINAPI GetIShellObjectsForDeviceFn(void* parameter) {
    TraceEnter(kGetShellObjectsFnTag);
    auto& request = *static_cast<ShellLookupRequest*>(parameter);
    // On the caller's thread this joins the COM state the caller has.
    const HRESULT com = CoInitialize(nullptr);
    request.result = Lookup(request);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    TraceResult(kGetShellObjectsFnTag, request.result);
    // The caller may let the request go as soon as this is signalled.
    if (request.done != nullptr) {
        SetEvent(request.done);
    }
    return kShellLookupExitCode;
}

HRESULT GetIShellObjectsForDevice(bool onThread, const char16_t* deviceKey,
                                  const char16_t* itemName, int trace, ShellObjectsFn function,
                                  void* userData, ShellItemNames itemNames,
                                  std::vector<std::u16string>* names,
                                  std::vector<std::u16string>* parsingNames, int depthLimit,
                                  std::vector<std::u16string>* sizes) {
    TraceEnter(kGetShellObjectsTag);
    ShellLookupRequest request;
    request.deviceKey = deviceKey != nullptr ? deviceKey : u"";
    request.itemName = itemName;
    request.trace = trace;
    request.function = function;
    request.userData = userData;
    request.itemNames = itemNames;
    request.names = names;
    request.parsingNames = parsingNames;
    request.sizes = sizes;
    request.depthLimit = depthLimit;
    if (onThread) {
        UniqueHandle done(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        request.done = done.Get();
        UniqueHandle worker;
        if (done.IsValid()) {
            worker.Reset(
                CreateThread(nullptr, 0, GetIShellObjectsForDeviceFn, &request, 0, nullptr));
        }
        if (worker.IsValid()) {
            WaitForSingleObject(done.Get(), INFINITE);
            TraceResult(kGetShellObjectsTag, request.result);
            return request.result;
        }
        request.done = nullptr;
    }
    GetIShellObjectsForDeviceFn(&request);
    TraceResult(kGetShellObjectsTag, request.result);
    return request.result;
}
