#include "wialib/wia/wia_property_lines.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

constexpr std::array<std::u16string_view, 4> kDeviceKinds{
    u"Default device", u"Scanner device", u"Camera device", u"Video device"};

constexpr std::array<std::u16string_view, 17> kItemFlags{
    u"WiaItemTypeImage",      u"WiaItemTypeFile",         u"WiaItemTypeFolder",
    u"WiaItemTypeRoot",       u"WiaItemTypeAnalyze",      u"WiaItemTypeAudio",
    u"WiaItemTypeDevice",     u"WiaItemTypeDeleted",      u"WiaItemTypeDisconnected",
    u"WiaItemTypeHPanorama",  u"WiaItemTypeVPanorama",    u"WiaItemTypeBurst",
    u"WiaItemTypeStorage",    u"WiaItemTypeTransfer",     u"WiaItemTypeGenerated",
    u"WiaItemTypeHasAttachments", u"WiaItemTypeVideo"};

using ValueName = std::pair<std::int32_t, std::u16string_view>;

constexpr std::array<ValueName, 5> kHardwareConfigs{{{1, u"Generic WDM device"},
                                                     {2, u"SCSI device"},
                                                     {4, u"USB device"},
                                                     {8, u"Serial device"},
                                                     {16, u"Parallel device"}}};
constexpr std::array<ValueName, 2> kConnectStates{
    {{0, u"The device is not connected"}, {1, u"The device is connected and operational"}}};
constexpr std::array<ValueName, 5> kDataTypes{{{0, u"WIA_DATA_THRESHOLD"},
                                               {1, u"WIA_DATA_DITHER"},
                                               {2, u"WIA_DATA_GRAYSCALE"},
                                               {3, u"WIA_DATA_COLOR"},
                                               {5, u"WIA_DATA_COLOR_DITHER"}}};
constexpr std::array<ValueName, 4> kTymeds{{{0x80, u"TYMED_CALLBACK"},
                                            {0x2, u"TYMED_FILE"},
                                            {0x200, u"TYMED_MULTIPAGE_CALLBACK"},
                                            {0x100, u"TYMED_MULTIPAGE_FILE"}}};

std::u16string Line(std::u16string_view text) {
    std::u16string line(u"\t");
    line += text;
    line += u'\n';
    return line;
}

template <std::size_t N>
std::u16string LineOf(const std::array<ValueName, N>& table, std::int32_t value) {
    for (const ValueName& entry : table) {
        if (entry.first == value) {
            return Line(entry.second);
        }
    }
    return {};
}

}  // namespace

std::u16string_view DeviceKindName(std::int32_t type) {
    const std::uint32_t kind = static_cast<std::uint32_t>(type) >> 16;
    return kind < kDeviceKinds.size() ? kDeviceKinds[kind] : std::u16string_view(u"<UNKNOWN>");
}

std::u16string DeviceTypeLine(std::int32_t type) {
    const std::uint32_t kind = static_cast<std::uint32_t>(type) >> 16;
    return kind < kDeviceKinds.size() ? Line(kDeviceKinds[kind]) : std::u16string();
}

std::u16string HardwareConfigLine(std::int32_t config) {
    return LineOf(kHardwareConfigs, config);
}

std::u16string ConnectStatusLine(std::int32_t status) {
    return LineOf(kConnectStates, status);
}

std::u16string ItemFlagLines(std::int32_t flags) {
    std::u16string lines;
    for (std::size_t bit = 0; bit < kItemFlags.size(); ++bit) {
        if ((static_cast<std::uint32_t>(flags) & (1U << bit)) != 0) {
            lines += Line(kItemFlags[bit]);
        }
    }
    return lines;
}

std::u16string DataTypeLine(std::int32_t type) {
    return LineOf(kDataTypes, type);
}

std::u16string TymedLines(std::int32_t tymed) {
    std::u16string lines;
    for (const ValueName& entry : kTymeds) {
        if ((tymed & entry.first) != 0) {
            lines += Line(entry.second);
        }
    }
    return lines;
}
