#pragma once
// The picture cache: one subfolder per device below the cache folder, named
// by four digits and a letter ("0001A"). CCache measures the device folders
// into the shared block's per-device sizes and, when the cache outgrows its
// limit, deletes whole folders of devices that are not connected, then the
// oldest files, keeping the newest file of every device.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "diag/text/text_units.h"
#include "state/cache_file_list.h"
#include "state/shared_block_layout.h"

class CSuperGlobals;

// What the oldest-file purge would do: every file below the cache folder, and
// the indices into files of those it deletes, in that order.
struct PurgePlan {
    CacheFileList files;
    std::vector<std::size_t> order;
};

// Global_BuildCache, Global_Purge: delete the folders of devices not connected.
inline constexpr std::uint32_t kPurgeDeleteInactive = 0x2;
// Global_PurgeActive does nothing without it.
inline constexpr std::uint32_t kPurgeFiles = 0x4;

class CCache {
  public:
    CCache(const char16_t* cacheFolder, CSuperGlobals& globals);
    ~CCache();
    CCache(const CCache&) = delete;
    CCache& operator=(const CCache&) = delete;

    // Makes room so that what the cache holds plus delta fits the limit
    // (CacheSize MiB; 0 with empty). Skipped while another adjustment of this
    // process runs.
    void Global_AdjustCacheContentToFit(std::uint32_t delta, bool empty);
    // Measures up to 50 device folders into table (entries from the first
    // unused one on are left as they were); with kPurgeDeleteInactive the
    // folders of devices not connected are deleted instead.
    void Global_BuildCache(shared_block::CacheFolderEntry* table, std::uint32_t flags);
    // Sums the shared sizes of all devices and of the connected ones. False
    // when the shared table is not there or no output is asked for.
    bool Global_GetCacheSize(std::uint64_t* used, std::uint64_t* active);
    // Brings the shared table in line with the device folders on disk
    // (deleting inactive ones with kPurgeDeleteInactive). False without a
    // shared table.
    bool Global_Purge(std::uint32_t flags);
    // Deletes files oldest first, each device's newest excepted, until more
    // than bytesToRelease went. True when at least one file was deleted.
    bool Global_PurgeActive(std::uint64_t bytesToRelease, std::uint32_t flags);
    // The listing and choice of Global_PurgeActive, deleting nothing.
    PurgePlan PlanPurgeActive();

  private:
    // Adds the sizes of the files below folder to accumulator (when given)
    // and lists them in list (when given), whose base the paths are relative
    // to. Links are not entered.
    void _Rebuild(const char16_t* folder, std::uint64_t* accumulator, CacheFileList* list);

    char16_t folder_[kPathUnits];
    CSuperGlobals& globals_;
};
