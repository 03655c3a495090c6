#pragma once
// The per-process attachment to the shared block "CamfolioG". The first
// process of a session creates the block and does the start-up work (log
// file, profile defaults, pending cache root, cache trim); every process
// counts itself in, shares the one log file and mutex, and reads the
// per-device cache state the mapper publishes.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "common/i18n_init/i18n_init_win32.h"
#include "common/win32/ownership_win32.h"
#include "diag/trace/trace_ring.h"
#include "state/shared_block_layout.h"

class CSuperGlobals {
  public:
    CSuperGlobals() = default;
    ~CSuperGlobals();
    CSuperGlobals(const CSuperGlobals&) = delete;
    CSuperGlobals& operator=(const CSuperGlobals&) = delete;

    void Init();
    void DeInit();
    int IsInitialized(bool trace) const;

    // True when the block is mapped and letter is a-z in either case.
    bool IntegrityCheck(char16_t letter) const;
    // Resets entries of table (the block's when null): index -1 all, 0 ... 49
    // one of them; anything else nothing.
    void InitCacheFolder(shared_block::CacheFolderEntry* table, int count, int index);
    void InitDeviceMapping();

    shared_block::CacheFolderEntry* GetCacheFolderPtr() const;
    // The size of the device mapped on letter, null when there is none.
    std::uint64_t* GetCacheSizePtr(char16_t letter) const;
    // The subfolder belongs to a connected device.
    bool GetCacheSize(const char16_t* subfolderName) const;
    std::uint64_t GetCacheFolderSize(int index, bool* active) const;
    // Adds delta (interlocked) to the device named by the part of
    // relativePath before its first "\".
    void UpdateCacheSizeByFileName(const char16_t* relativePath, std::int64_t delta);
    int GetConnectedDevices() const;

    // The mapped block, null when not attached (for tests and diagnostics).
    shared_block::Block* Block() const { return block_; }

  private:
    // Takes this process's log handles from the tables of a running session.
    void JoinSession(bool logging);
    // First process of a session: fresh tables, the pending cache root, log
    // file, profile defaults, the old cache deleted and the cache trimmed to
    // its limit. The magic is written once the handle tables are filled.
    void StartSession(bool logging);

    int initialized_ = 0;
    UniqueHandle mapping_;
    shared_block::Block* block_ = nullptr;
    UniqueHandle logFile_;   // registered in the block's file table
    UniqueHandle logMutex_;  // registered in the block's mutex table
    TraceRingPtr trace_;
    std::optional<I18NCatalogueScope> catalogue_;
};
