#pragma once
// The shared block "CamfolioG" as every process of the product maps it: an
// interprocess format the mapper reads and writes with the same layout, so
// every offset is fixed and checked here. Little-endian; handles are 64-bit
// values valid only in the process recorded beside them.
#include <cstddef>
#include <cstdint>

#include "config/mapper_contract.h"

namespace shared_block {

inline constexpr std::uint32_t kBlockMagic = 0x50475343;        // "CSGP"
inline constexpr std::uint32_t kHandleTableMagic = 0x48475343;  // "CSGH"
inline constexpr std::uint32_t kDeviceMagic = 0x44475343;       // "CSGD"
inline constexpr std::uint32_t kCacheFolderMagic = 0x43475343;  // "CSGC"

inline constexpr int kHandleSlots = 50;
inline constexpr int kDevices = 26;
inline constexpr int kCacheFolders = 50;
inline constexpr std::int32_t kNotConnected = -1;

struct HandleTable {
    std::int32_t named;  // 1: the object is a named mutex
    char16_t name[100];  // at most 99 units
    std::uint32_t magic;
    std::uint64_t handles[kHandleSlots];  // 0: free slot
    std::uint32_t processIds[kHandleSlots];
};

struct DeviceEntry {
    std::uint32_t magic;
    // Written by the mapper; a non-zero first unit means a camera is mapped.
    char16_t mapping[138];
};

struct CacheFolderEntry {
    std::uint32_t magic;
    std::int32_t driveIndex;  // 0 ... 25, or kNotConnected
    std::uint64_t size;       // bytes in the device's subfolder
    char16_t name[260];       // empty: free entry
};

struct Block {
    std::uint32_t magic;
    std::int32_t attachCount;
    std::uint64_t reserved1;
    HandleTable logFile;
    HandleTable logMutex;
    DeviceEntry devices[kDevices];
    CacheFolderEntry cacheFolders[kCacheFolders];
    std::uint64_t reserved2;
};

static_assert(sizeof(HandleTable) == 808);
static_assert(offsetof(HandleTable, name) == 4);
static_assert(offsetof(HandleTable, magic) == 204);
static_assert(offsetof(HandleTable, handles) == 208);
static_assert(offsetof(HandleTable, processIds) == 608);
static_assert(sizeof(DeviceEntry) == 280);
static_assert(offsetof(DeviceEntry, mapping) == 4);
static_assert(sizeof(CacheFolderEntry) == 536);
static_assert(offsetof(CacheFolderEntry, driveIndex) == 4);
static_assert(offsetof(CacheFolderEntry, size) == 8);
static_assert(offsetof(CacheFolderEntry, name) == 16);
static_assert(offsetof(Block, attachCount) == 4);
static_assert(offsetof(Block, reserved1) == 8);
static_assert(offsetof(Block, logFile) == 16);
static_assert(offsetof(Block, logMutex) == 824);
static_assert(offsetof(Block, devices) == 1632);
static_assert(offsetof(Block, cacheFolders) == 8912);
static_assert(offsetof(Block, reserved2) == 35712);
static_assert(sizeof(Block) == contract::kSharedBlockSize);

// A reset cache folder entry: zero but for its magic and "not connected".
void ResetCacheFolder(CacheFolderEntry& entry);

// Device folders are named by four decimal digits and a letter ("0001A").
bool IsDeviceFolderName(const char16_t* name);

}  // namespace shared_block
