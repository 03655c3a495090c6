// The oldest-file purge over every file below the cache folder.
#include <limits>
#include <string>
#include <vector>

#include "diag/housekeeping/file_housekeeping.h"
#include "diag/trace/trace.h"
#include "state/cache_tags.h"
#include "state/cache_win32.h"
#include "state/purge_order.h"
#include "state/super_globals_win32.h"
#include "wialib/names/result_name.h"

PurgePlan CCache::PlanPurgeActive() {
    PurgePlan plan{CacheFileList(folder_), {}};
    _Rebuild(folder_, nullptr, &plan.files);
    std::vector<PurgeCandidate> candidates;
    candidates.reserve(plan.files.Count());
    for (std::size_t i = 0; i < plan.files.Count(); ++i) {
        candidates.push_back({plan.files.LastWrite(i), plan.files.RelativePath(i)});
    }
    plan.order = PurgeOrder(candidates);
    return plan;
}

bool CCache::Global_PurgeActive(std::uint64_t bytesToRelease, std::uint32_t flags) {
    TraceEnter(kPurgeActiveTag);
    if ((flags & kPurgeFiles) == 0) {
        TraceReturn(kPurgeActiveTag, 1, 0, ResultName(0));
        return false;
    }
    const PurgePlan plan = PlanPurgeActive();
    constexpr auto kMostSigned =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::int64_t remaining =
        static_cast<std::int64_t>(bytesToRelease < kMostSigned ? bytesToRelease : kMostSigned);
    bool deletedAny = false;
    for (const std::size_t index : plan.order) {
        const auto size = static_cast<std::int64_t>(plan.files.Size(index));
        if (DeleteFileEx(plan.files.FullPath(index).c_str())) {
            // Only what left the disk leaves the device's count.
            globals_.UpdateCacheSizeByFileName(
                std::u16string(plan.files.RelativePath(index)).c_str(), -size);
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
