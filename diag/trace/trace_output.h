#pragma once
// Where the trace writer puts lines: the shared log file, guarded by the
// cross-process log mutex. On Windows these are the handles of the shared
// block (trace_output_win32.h); tests supply their own.
#include <chrono>
#include <cstddef>

class TraceOutput {
  public:
    enum class LockResult {
        Obtained,
        // The previous owner died holding the lock; it is now ours all the same.
        Abandoned,
        TimedOut,
        // No lock exists; the writer is the only one and writes without it.
        NoLock,
        Failed,
    };

    virtual ~TraceOutput() = default;
    virtual LockResult Lock(std::chrono::milliseconds timeout) = 0;
    virtual void Unlock() = 0;
    // Appends at the current end of the file in one write; without a file the
    // bytes are dropped. Errors are ignored: tracing must never fail a caller.
    virtual void AppendAtEnd(const char* bytes, std::size_t count) = 0;
};
