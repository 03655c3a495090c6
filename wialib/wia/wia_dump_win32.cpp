// The listing of every camera, written to a file for the user.
#include <string>
#include <vector>

#include "diag/trace/trace.h"
#include "state/directory/dirlist_win32.h"
#include "state/directory/size_text_win32.h"
#include "wialib/wia/wia_context_win32.h"
#include "wialib/wia/wia_tags.h"

namespace {

// The device's folders as the shell shows them, after its WIA listing.
void ListShellFolders(WiaLibContext* context, const std::u16string& deviceId) {
    std::vector<std::u16string> names;
    std::vector<std::u16string> paths;
    std::vector<std::u16string> sizes;
    if (!GetDirlistFromNSE(deviceId.c_str(), &names, &paths, &sizes)) {
        return;
    }
    ListingPrint(context, u"\n");
    for (std::size_t i = 0; i < names.size() && i < paths.size(); ++i) {
        ListingPrint(context, u"%s -> %s\n", names[i], paths[i]);
    }
    ListingPrint(context, u"\n");
    for (const std::u16string& size : sizes) {
        ListingPrint(context, u"%s : %I64u\n", size, ParseSizeText(size));
    }
}

}  // namespace

HRESULT WIALIBWRAPPER_Dump(const char16_t* dumpPath) {
    TraceEnter(kWrapperDumpTag);
    WiaLibContext* context = nullptr;
    if (FAILED(WiaLib_CreateContext(&context, 1, 1, dumpPath))) {
        TraceResult(kWrapperDumpTag, 1, S_OK);
        return S_OK;
    }
    std::vector<std::u16string> ids;
    WiaLib_GetDevices(context, &ids, nullptr, nullptr);
    for (const std::u16string& id : ids) {
        WiaLib_GetDirlist(context, id.c_str(), nullptr, 0, 0, nullptr, 0);
        ListShellFolders(context, id);
    }
    WiaLib_DestroyContext(&context);
    TraceResult(kWrapperDumpTag, S_OK);
    return S_OK;
}
