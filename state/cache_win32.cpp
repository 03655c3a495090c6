#include "state/cache_win32.h"

#include <string_view>

#include "config/settings_registry.h"
#include "diag/strings/bounded_string.h"
#include "diag/trace/trace.h"
#include "state/cache_adjustment.h"
#include "state/cache_tags.h"
#include "state/super_globals_win32.h"
#include "wialib/names/result_name.h"

namespace {

constexpr std::uint64_t kMiB = 1048576;
// Connected devices are purged below the limit, so that the next pictures
// do not start another purge at once.
constexpr double kPurgeTargetFactor = 0.9;

// Another process may have added to the cache meanwhile: a growth released
// nothing.
std::uint64_t Released(std::uint64_t before, std::uint64_t after) {
    return before > after ? before - after : 0;
}

void MakeRoom(CCache& cache, std::uint64_t delta, std::uint64_t limit) {
    std::uint64_t used = 0;
    if (!cache.Global_GetCacheSize(&used, nullptr)) {
        return;
    }
    if (used + delta <= limit) {
        TracePrint(kAdjustTag, u"No need to purge cache");
        return;
    }
    TracePrint(kAdjustTag, u"ullCacheUsedAll=%I64u, ullTargetCacheSize=%I64u, delta=%lu", used,
               limit, delta);
    TracePrint(kAdjustTag, u"Deleting non-Camfolio data plus data from inactive device(s)");
    cache.Global_Purge(kPurgeDeleteInactive);

    std::uint64_t afterInactive = 0;
    if (!cache.Global_GetCacheSize(&afterInactive, nullptr)) {
        return;
    }
    TracePrint(kAdjustTag, u"Released %I64u bytes from the cache", Released(used, afterInactive));
    if (afterInactive + delta <= limit) {
        return;
    }
    TracePrint(kAdjustTag, u"ullCacheUsedAll=%I64u, ullTargetCacheSize=%I64u, delta=%lu",
               afterInactive, limit, delta);
    TracePrint(kAdjustTag, u"Deleting old files from active device(s)");
    const auto target = static_cast<std::uint64_t>(static_cast<double>(limit) * kPurgeTargetFactor);
    cache.Global_PurgeActive(afterInactive + delta - target, kPurgeFiles);

    std::uint64_t afterFiles = 0;
    if (!cache.Global_GetCacheSize(&afterFiles, nullptr)) {
        return;
    }
    TracePrint(kAdjustTag, u"Released %I64u bytes from the cache",
               Released(afterInactive, afterFiles));
    if (afterFiles + delta > limit) {
        TracePrint(kAdjustTag, u"Still need %I64u bytes, but the cache cannot be purged more",
                   afterFiles + delta - limit);
    }
}

}  // namespace

CCache::CCache(const char16_t* cacheFolder, CSuperGlobals& globals) : folder_{}, globals_(globals) {
    TraceEnter(kCacheConstructTag);
    // A cut path would name another folder; an empty one lists nothing.
    if (cacheFolder != nullptr && std::u16string_view(cacheFolder).size() < std::size(folder_)) {
        WcsCpy(folder_, std::size(folder_), cacheFolder);
    }
    TraceLeave(kCacheConstructTag);
}

CCache::~CCache() {
    TraceEnter(kCacheDestructTag);
    TraceLeave(kCacheDestructTag);
}

void CCache::Global_AdjustCacheContentToFit(std::uint32_t delta, bool empty) {
    TraceEnter(kAdjustTag);
    const std::uint64_t limit =
        empty ? 0 : static_cast<std::uint64_t>(Registry_Get_CacheSize()) * kMiB;
    {
        const CacheAdjustmentTurn turn;
        if (turn.IsOnlyOne()) {
            MakeRoom(*this, delta, limit);
        } else {
            TracePrint(kAdjustTag, u"Cache adjustment in progress, skipping duplicate");
        }
    }
    TraceLeave(kAdjustTag);
}

bool CCache::Global_GetCacheSize(std::uint64_t* used, std::uint64_t* active) {
    TraceEnter(kGetCacheSizeTag);
    std::uint64_t usedSum = 0;
    std::uint64_t activeSum = 0;
    // Without the shared table there is nothing to measure: zero would pass
    // for an empty cache.
    const bool measured =
        (used != nullptr || active != nullptr) && globals_.GetCacheFolderPtr() != nullptr;
    if (measured) {
        for (int i = 0; i < shared_block::kCacheFolders; ++i) {
            bool connected = false;
            const std::uint64_t size = globals_.GetCacheFolderSize(i, &connected);
            usedSum += size;
            activeSum += connected ? size : 0;
        }
    }
    if (used != nullptr) {
        *used = usedSum;
    }
    if (active != nullptr) {
        *active = activeSum;
    }
    TraceReturn(kGetCacheSizeTag, measured ? 1u : 0u, ResultName(measured ? 1u : 0u));
    return measured;
}
