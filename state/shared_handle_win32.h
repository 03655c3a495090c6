#pragma once
// One handle table of the shared block: the same kernel object (the log file
// or the log mutex) as a handle value per attached process, so that a
// process joining later can get its own handle to it.
#include <windows.h>

#include <cstdint>

#include "state/shared_block_layout.h"

class CSharedHandle {
  public:
    explicit CSharedHandle(shared_block::HandleTable& table) : table_(table) {}

    // Empty table; named says whether the mutex it holds is named.
    void Init(std::int32_t named);
    // Registers handle for processId in the first free slot. A null handle
    // creates the log mutex first (named by the performance counter when the
    // table is named). Null when no slot is free or no mutex can be made.
    HANDLE Add(HANDLE handle, std::uint32_t processId);
    bool Remove(HANDLE handle);
    // This process's own handle to the table's object, registered under its
    // id: opened by name, or duplicated from a process holding one. Every used
    // slot is tried, as a process may have died without leaving its slot, and
    // a duplicate that accept refuses is dropped: a process id may since have
    // gone to another process, whose handle of that value is something else.
    HANDLE Duplicate(bool (*accept)(HANDLE) = nullptr);
    // The first used slot, or -1.
    int GetFirstParent(HANDLE* handle, std::uint32_t* processId) const;

  private:
    shared_block::HandleTable& table_;
};
