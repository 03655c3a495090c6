#pragma once
// The WIA property ids and values the library reads and writes, named once
// (the SDK headers at hand lack some of them).
#include <windows.h>

namespace wia_prop {
inline constexpr PROPID kDeviceId = 2;
inline constexpr PROPID kVendor = 3;
inline constexpr PROPID kDescription = 4;
inline constexpr PROPID kDeviceType = 5;
inline constexpr PROPID kDeviceName = 7;
inline constexpr PROPID kHardwareConfig = 11;
inline constexpr PROPID kPnpId = 16;
inline constexpr PROPID kConnectStatus = 1027;
inline constexpr PROPID kItemName = 4098;
inline constexpr PROPID kFullItemName = 4099;
inline constexpr PROPID kItemTime = 4100;
inline constexpr PROPID kItemFlags = 4101;
inline constexpr PROPID kAccessRights = 4102;
inline constexpr PROPID kDataType = 4103;
inline constexpr PROPID kPreferredFormat = 4105;
inline constexpr PROPID kFormat = 4106;
inline constexpr PROPID kTymed = 4108;
inline constexpr PROPID kPixelsPerLine = 4112;
inline constexpr PROPID kNumberOfLines = 4114;
inline constexpr PROPID kItemSize = 4116;
inline constexpr PROPID kMinBufferSize = 4118;
inline constexpr PROPID kFilenameExtension = 4123;
inline constexpr PROPID kThumbnail = 5122;
// The first id WriteMultiple may give to a property it names.
inline constexpr PROPID kFirstNewId = 4098;
}  // namespace wia_prop

// Device kinds in the high word of the device type.
inline constexpr LONG kCameraKind = 2;
inline constexpr LONG kVideoKind = 3;
inline constexpr LONG kScannerKind = 1;

// Item type flags.
inline constexpr LONG kItemFile = 0x2;
inline constexpr LONG kItemFolder = 0x4;
inline constexpr LONG kItemRoot = 0x8;
inline constexpr LONG kItemHasAttachments = 0x8000;
inline constexpr LONG kItemCanBeDeleted = 0x80;

inline PROPSPEC PropertySpec(PROPID id) {
    PROPSPEC spec{};
    spec.ulKind = PRSPEC_PROPID;
    spec.propid = id;
    return spec;
}
