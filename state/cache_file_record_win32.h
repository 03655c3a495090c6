#pragma once
// One file found below the cache folder, as the oldest-file purge needs it.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

inline std::uint64_t FileSize(const WIN32_FIND_DATAW& entry) {
    return (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

inline constexpr std::size_t kRecordPathUnits = 260;

struct CacheFileRecord {
    WIN32_FIND_DATAW findData;
    // Below the cache folder, without leading "\" and without the file
    // name's extension; its first part names the device folder.
    char16_t relativePath[2 * kRecordPathUnits];
    char16_t fullPath[kRecordPathUnits];
    std::uint64_t lastWrite;

    std::uint64_t Size() const { return FileSize(findData); }
};

using CacheFileList = std::vector<std::unique_ptr<CacheFileRecord>>;
