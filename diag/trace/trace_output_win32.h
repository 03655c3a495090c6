#pragma once
// The trace output over the shared log file and the cross-process log mutex.
// The handles belong to the shared block's owner; this object only uses them.
// Other processes write into the same file, so without the mutex nothing is
// written: the lines are dropped rather than risk interleaving.
#include <windows.h>

#include "diag/trace/trace_output.h"

class Win32TraceOutput final : public TraceOutput {
  public:
    Win32TraceOutput(HANDLE logFile, HANDLE logMutex) : file_(logFile), mutex_(logMutex) {}

    LockResult Lock(std::chrono::milliseconds timeout) override;
    void Unlock() override;
    void AppendAtEnd(const char* bytes, std::size_t count) override;

  private:
    HANDLE file_;
    HANDLE mutex_;
};
