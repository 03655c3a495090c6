// Measuring the device folders and keeping the shared table in line with them.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "common/paths/folder_listing_win32.h"
#include "diag/housekeeping/file_housekeeping.h"
#include "diag/strings/bounded_string.h"
#include "diag/trace/trace.h"
#include "state/cache_tags.h"
#include "state/cache_win32.h"
#include "state/super_globals_win32.h"
#include "wialib/names/result_name.h"

namespace {

using shared_block::CacheFolderEntry;
using shared_block::kCacheFolders;

bool SameName(const CacheFolderEntry& a, const CacheFolderEntry& b) {
    return std::u16string_view(a.name) == std::u16string_view(b.name);
}

CacheFolderEntry* FindNamed(std::span<CacheFolderEntry> table, const CacheFolderEntry& like) {
    for (CacheFolderEntry& entry : table) {
        if (entry.name[0] != u'\0' && SameName(entry, like)) {
            return &entry;
        }
    }
    return nullptr;
}

CacheFolderEntry* FindFree(std::span<CacheFolderEntry> table) {
    for (CacheFolderEntry& entry : table) {
        if (entry.name[0] == u'\0') {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

void CCache::Global_BuildCache(CacheFolderEntry* table, std::uint32_t flags) {
    TraceEnter(kRefreshTag);
    if (table == nullptr) {
        TraceLeave(kBuildTag, 1);
        return;
    }
    TracePrint(kBuildTag, u"Calculating cache size for: %s", JoinPath(folder_, u"").c_str());
    // Only the shared table tells which devices are connected; without it
    // every device would pass for one that is not.
    const bool deleteInactive =
        (flags & kPurgeDeleteInactive) != 0 && globals_.GetCacheFolderPtr() != nullptr;
    int filled = 0;
    const bool listed = ForEachFolderEntry(folder_, [&](const WIN32_FIND_DATAW& entry) {
        if (!IsFolder(entry)) {
            return true;
        }
        const char16_t* name = AsU16(entry.cFileName);
        TracePrint(kBuildTag, u"Cache subdirectory: %s", name);
        if (!shared_block::IsDeviceFolderName(name)) {
            return true;
        }
        const std::u16string path = JoinPath(folder_, name);
        if (deleteInactive && !globals_.GetCacheSize(name)) {
            TracePrint(kBuildTag, u"Deleting inactive directory \"%s\"", path.c_str());
            if (DeleteDirectoryRecursive(path.c_str())) {
                return true;
            }
            // What could not be deleted is still on disk and is counted.
        }
        CacheFolderEntry& measured = table[filled];
        WcsCpy(measured.name, std::size(measured.name), name);
        measured.driveIndex = shared_block::kNotConnected;
        measured.size = 0;
        if (!IsLink(entry)) {
            _Rebuild(path.c_str(), &measured.size, nullptr);
        }
        if (filled == kCacheFolders - 1) {
            TracePrint(kBuildTag, u"Too many subdirectories under the cache");
        }
        ++filled;
        return filled < kCacheFolders;
    });
    TraceLeave(kBuildTag, listed ? 2 : 3);
}

bool CCache::Global_Purge(std::uint32_t flags) {
    TraceEnter(kPurgeTag);
    CacheFolderEntry* sharedTable = globals_.GetCacheFolderPtr();
    if (sharedTable == nullptr) {
        TraceReturn(kPurgeTag, 1, 0, ResultName(0));
        return false;
    }
    const std::span<CacheFolderEntry> shared(sharedTable, kCacheFolders);
    std::array<CacheFolderEntry, kCacheFolders> onDisk;
    for (CacheFolderEntry& entry : onDisk) {
        shared_block::ResetCacheFolder(entry);
    }
    Global_BuildCache(onDisk.data(), flags);

    for (CacheFolderEntry& entry : shared) {
        if (entry.name[0] == u'\0') {
            continue;
        }
        if (CacheFolderEntry* found = FindNamed(onDisk, entry)) {
            // Known already: the mapper's size and drive index stand.
            found->name[0] = u'\0';
        } else {
            shared_block::ResetCacheFolder(entry);
        }
    }
    for (const CacheFolderEntry& entry : onDisk) {
        if (entry.name[0] == u'\0') {
            continue;
        }
        CacheFolderEntry* free = FindFree(shared);
        if (free == nullptr) {
            TracePrint(kPurgeTag, u"Too many subdirectories under the cache, cannot add more");
            break;
        }
        *free = entry;
    }
    TraceReturn(kPurgeTag, 1u, ResultName(1));
    return true;
}
