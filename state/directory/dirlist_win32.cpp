#include "state/directory/dirlist_win32.h"

#include "common/windows_version/windows_version.h"
#include "diag/text/text_units.h"
#include "diag/trace/trace.h"
#include "state/directory/device_pnp_id_win32.h"
#include "state/directory/directory_tags.h"
#include "wialib/names/result_name.h"
#include "wialib/shell/shell_lookup_win32.h"

bool GetDirlistFromNSE(const char16_t* deviceId, std::vector<std::u16string>* names,
                       std::vector<std::u16string>* paths, std::vector<std::u16string>* sizes) {
    TraceEnter(kGetDirlistFromNseTag);
    if (!IsMultiCardSystem()) {
        TraceReturn(kGetDirlistFromNseTag, 1, 1, ResultName(1));
        return true;
    }
    char16_t pnpId[kPathUnits] = {};
    if (!GetWpdDevicePnPID(pnpId, std::size(pnpId), deviceId)) {
        TraceReturn(kGetDirlistFromNseTag, 2, 0, ResultName(0));
        return false;
    }
    const HRESULT hr = GetIShellObjectsForDevice(false, pnpId, nullptr, 0, nullptr, nullptr, {},
                                                 names, paths, -1, sizes);
    const bool listed = SUCCEEDED(hr);
    TraceReturn(kGetDirlistFromNseTag, 3, listed ? 1 : 0, ResultName(listed ? 1 : 0));
    return listed;
}
