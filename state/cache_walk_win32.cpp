// The walk below a cache folder: sizes and, for the purge, file records.
#include <atomic>
#include <memory>
#include <string>
#include <string_view>

#include "common/folder_listing_win32.h"
#include "diag/bounded_string.h"
#include "diag/trace.h"
#include "state/cache_tags.h"
#include "state/cache_win32.h"

namespace {

// Null when the full path does not fit the record: cut, it would name
// another file, which the purge would then delete.
std::unique_ptr<CacheFileRecord> MakeRecord(const WIN32_FIND_DATAW& entry,
                                            const std::u16string& fullPath,
                                            std::size_t baseLength) {
    if (fullPath.size() >= kRecordPathUnits) {
        return nullptr;
    }
    auto record = std::make_unique<CacheFileRecord>();
    record->findData = entry;
    WcsCpy(record->fullPath, std::size(record->fullPath), fullPath.c_str());

    std::u16string_view relative = std::u16string_view(fullPath).substr(baseLength);
    while (!relative.empty() && relative.front() == u'\\') {
        relative.remove_prefix(1);
    }
    // Only the file name's extension goes; a dot in a folder name stays, so
    // the folder part keeps naming the device.
    const std::size_t dot = relative.rfind(u'.');
    const std::size_t slash = relative.rfind(u'\\');
    if (dot != std::u16string_view::npos && (slash == std::u16string_view::npos || dot > slash)) {
        relative = relative.substr(0, dot);
    }
    // Shorter than the full path, so it fits and is terminated here.
    WcsnCpy(record->relativePath, std::size(record->relativePath), relative.data(),
            relative.size());
    record->relativePath[relative.size()] = u'\0';
    record->lastWrite = (static_cast<std::uint64_t>(entry.ftLastWriteTime.dwHighDateTime) << 32) |
                        entry.ftLastWriteTime.dwLowDateTime;
    return record;
}

}  // namespace

void CCache::_Rebuild(const char16_t* folder, const char16_t* base, std::uint64_t* accumulator,
                      CacheFileList* list) {
    TraceEnter(kRebuildTag);
    TracePrint(kRebuildTag, u"Current directory: %s", JoinPath(folder, u"").c_str());
    const std::size_t baseLength = std::u16string_view(base).size();
    const bool listed = ForEachFolderEntry(folder, [&](const WIN32_FIND_DATAW& entry) {
        if (IsFolder(entry)) {
            if (!IsLink(entry)) {
                _Rebuild(JoinPath(folder, AsU16(entry.cFileName)).c_str(), base, accumulator, list);
            }
            return true;
        }
        if (accumulator != nullptr) {
            // The accumulator may be a size in the shared block.
            std::atomic_ref<std::uint64_t>(*accumulator).fetch_add(FileSize(entry));
        }
        if (list != nullptr) {
            if (auto record =
                    MakeRecord(entry, JoinPath(folder, AsU16(entry.cFileName)), baseLength)) {
                TracePrint(kRebuildTag, u"%s", record->relativePath);
                list->push_back(std::move(record));
            }
        }
        return true;
    });
    if (listed) {
        TraceLeave(kRebuildTag);
    } else {
        TraceLeave(kRebuildTag, 1);
    }
}
