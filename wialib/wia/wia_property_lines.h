#pragma once
// The listing's readable lines for the values of a few WIA properties:
// device type and hardware kind, connection state, item flags, data type
// and transfer media.
#include <cstdint>
#include <string>

// By the type's high word: 0 default, 1 scanner, 2 camera, 3 video; "" else.
std::u16string DeviceTypeLine(std::int32_t type);
std::u16string HardwareConfigLine(std::int32_t config);
std::u16string ConnectStatusLine(std::int32_t status);
// One line per set bit, in bit order.
std::u16string ItemFlagLines(std::int32_t flags);
std::u16string DataTypeLine(std::int32_t type);
std::u16string TymedLines(std::int32_t tymed);
// The device header line: "Device %ld = Camera device" and the like, without the number.
std::u16string_view DeviceKindName(std::int32_t type);
