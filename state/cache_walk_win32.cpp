// The walk below a cache folder: sizes and, for the purge, the files.
#include <atomic>
#include <string>
#include <string_view>

#include "common/paths/folder_listing_win32.h"
#include "diag/trace/trace.h"
#include "state/cache_tags.h"
#include "state/cache_win32.h"

namespace {

std::uint64_t FileSize(const WIN32_FIND_DATAW& entry) {
    return (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

std::uint64_t LastWriteTime(const WIN32_FIND_DATAW& entry) {
    return (static_cast<std::uint64_t>(entry.ftLastWriteTime.dwHighDateTime) << 32) |
           entry.ftLastWriteTime.dwLowDateTime;
}

}  // namespace

void CCache::_Rebuild(const char16_t* folder, std::uint64_t* accumulator, CacheFileList* list) {
    TraceEnter(kRebuildTag);
    TracePrint(kRebuildTag, u"Current directory: %s", JoinPath(folder, u"").c_str());
    const std::u16string_view folderPath(folder);
    const bool listed = ForEachFolderEntry(folderPath, [&](const WIN32_FIND_DATAW& entry) {
        if (IsFolder(entry)) {
            if (!IsLink(entry)) {
                _Rebuild(JoinPath(folderPath, AsU16(entry.cFileName)).c_str(), accumulator, list);
            }
            return true;
        }
        if (accumulator != nullptr) {
            // The accumulator may be a size in the shared block.
            std::atomic_ref<std::uint64_t>(*accumulator).fetch_add(FileSize(entry));
        }
        if (list != nullptr &&
            list->Add(folderPath, AsU16(entry.cFileName), FileSize(entry), LastWriteTime(entry))) {
            TracePrint(kRebuildTag, u"%s", list->RelativePath(list->Count() - 1));
        }
        return true;
    });
    if (listed) {
        TraceLeave(kRebuildTag);
    } else {
        TraceLeave(kRebuildTag, 1);
    }
}
