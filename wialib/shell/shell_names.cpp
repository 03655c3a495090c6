#include "wialib/shell/shell_names.h"

namespace {

constexpr std::size_t kObjectIdDigits = 8;
constexpr int kDeviceOnlyDepth = 2;

bool IsHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

}  // namespace

std::u16string DeviceParsingName(std::u16string_view deviceKey, bool vistaOrLater) {
    std::u16string name =
        vistaOrLater ? std::u16string(deviceKey) : u"devid:" + std::u16string(deviceKey) + u":";
    if (name.size() >= kShellNameUnits) {
        name.resize(kShellNameUnits - 1);
    }
    return name;
}

std::optional<std::u16string> ObjectIdParsingName(std::u16string_view name) {
    if (name.size() < 2 || name.size() > 1 + kObjectIdDigits || name.front() != u'o') {
        return std::nullopt;
    }
    const std::u16string_view digits = name.substr(1);
    for (const char16_t c : digits) {
        if (!IsHexDigit(c)) {
            return std::nullopt;
        }
    }
    std::u16string braced = u"{";
    braced.append(kObjectIdDigits - digits.size(), u'0');
    braced += digits;
    braced += u"-0000-0000-0000-000000000000}";
    return braced;
}

bool IsBracedName(std::u16string_view name) {
    return name.size() > 2 && name.front() == u'{' && name.back() == u'}';
}

int LookupDepth(bool wantsBeyondDevice, int depthLimit) {
    if (!wantsBeyondDevice) {
        return kDeviceOnlyDepth;
    }
    return depthLimit == -1 ? kNoDepthLimit : depthLimit;
}
