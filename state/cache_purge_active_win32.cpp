// The oldest-file purge over every file below the cache folder.
#include <limits>
#include <vector>

#include "diag/file_housekeeping.h"
#include "diag/trace.h"
#include "state/cache_tags.h"
#include "state/cache_win32.h"
#include "state/purge_order.h"
#include "state/super_globals_win32.h"
#include "wialib/result_name.h"

bool CCache::Global_PurgeActive(std::uint64_t bytesToRelease, std::uint32_t flags) {
    TraceEnter(kPurgeActiveTag);
    if ((flags & kPurgeFiles) == 0) {
        TraceReturn(kPurgeActiveTag, 1, 0, ResultName(0));
        return false;
    }
    CacheFileList files;
    _Rebuild(folder_, folder_, nullptr, &files);
    std::vector<PurgeCandidate> candidates;
    candidates.reserve(files.size());
    for (const auto& file : files) {
        candidates.push_back({file->lastWrite, file->relativePath});
    }

    constexpr auto kMostSigned =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::int64_t remaining =
        static_cast<std::int64_t>(bytesToRelease < kMostSigned ? bytesToRelease : kMostSigned);
    bool deletedAny = false;
    for (const std::size_t index : PurgeOrder(candidates)) {
        const CacheFileRecord& file = *files[index];
        const auto size = static_cast<std::int64_t>(file.Size());
        if (DeleteFileEx(file.fullPath)) {
            // Only what left the disk leaves the device's count.
            globals_.UpdateCacheSizeByFileName(file.relativePath, -size);
            deletedAny = true;
        }
        remaining -= size;
        if (remaining < 0) {
            break;
        }
    }
    TraceReturn(kPurgeActiveTag, deletedAny ? 1u : 0u, ResultName(deletedAny ? 1u : 0u));
    return deletedAny;
}
