#include "state/directory/device_pnp_id_win32.h"

#include <string>

#include "common/windows_version/windows_version.h"
#include "config/reg_key_win32.h"
#include "diag/strings/bounded_string.h"
#include "diag/trace/trace.h"
#include "state/directory/directory_tags.h"
#include "wialib/names/result_name.h"

namespace {

bool Return(int exitPoint, bool result) {
    TraceReturn(kGetWpdDevicePnpIdTag, exitPoint, result ? 1 : 0, ResultName(result ? 1 : 0));
    return result;
}

}  // namespace

bool GetWpdDevicePnPID(char16_t* out, std::size_t capacity, const char16_t* deviceId) {
    TraceEnter(kGetWpdDevicePnpIdTag);
    if (out == nullptr || capacity == 0) {
        return Return(1, false);
    }
    const char16_t* id = deviceId != nullptr ? deviceId : u"";
    if (!IsMultiCardSystem()) {
        _TcsCpy(out, capacity, id);
        return Return(2, false);
    }
    const std::u16string path =
        u"System\\CurrentControlSet\\Control\\Class\\" + std::u16string(id) + u"\\DeviceData";
    LONG error = ERROR_SUCCESS;
    const RegKey key = RegKey::OpenForRead(HKEY_LOCAL_MACHINE, path.c_str(), &error);
    if (!key.IsOpen()) {
        TracePrint(kGetWpdDevicePnpIdTag, u"Error opening registry key, error =%d",
                   static_cast<int>(error));
        out[0] = u'\0';
        return Return(3, false);
    }
    const auto pnpId = key.ReadString(u"WpdDevicePnPID", capacity - 1);
    if (!pnpId) {
        _TcsCpy(out, capacity, id);
        return Return(4, false);
    }
    _TcsCpy(out, capacity, pnpId->c_str());
    return Return(5, true);
}
