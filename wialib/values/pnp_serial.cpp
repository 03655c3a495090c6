#include "wialib/values/pnp_serial.h"

namespace {

constexpr std::u16string_view kUsbPrefix = u"\\\\?\\usb#vid_";
constexpr std::size_t kMaxSerialUnits = 259;

}  // namespace

std::u16string SerialFromPnpId(std::u16string_view pnpId) {
    if (!pnpId.starts_with(kUsbPrefix)) {
        return {};
    }
    // The "#" that ends the vendor and product part.
    const std::size_t start = pnpId.find(u'#', kUsbPrefix.size());
    if (start == std::u16string_view::npos) {
        return {};
    }
    const std::size_t end = pnpId.find(u'#', start + 1);
    if (end == std::u16string_view::npos) {
        return {};
    }
    const std::u16string_view serial = pnpId.substr(start + 1, end - start - 1);
    if (serial.find(u'&') != std::u16string_view::npos) {
        return {};
    }
    return std::u16string(serial.substr(0, kMaxSerialUnits));
}
