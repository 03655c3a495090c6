#include "diag/trace/trace_output_win32.h"

TraceOutput::LockResult Win32TraceOutput::Lock(std::chrono::milliseconds timeout) {
    if (mutex_ == nullptr) {
        return LockResult::NoLock;
    }
    switch (WaitForSingleObject(mutex_, static_cast<DWORD>(timeout.count()))) {
        case WAIT_OBJECT_0:
            return LockResult::Obtained;
        case WAIT_ABANDONED:
            return LockResult::Abandoned;
        case WAIT_TIMEOUT:
            return LockResult::TimedOut;
        default:
            return LockResult::Failed;
    }
}

void Win32TraceOutput::Unlock() {
    ReleaseMutex(mutex_);
}

void Win32TraceOutput::AppendAtEnd(const char* bytes, std::size_t count) {
    if (mutex_ == nullptr || file_ == nullptr || file_ == INVALID_HANDLE_VALUE || count == 0) {
        return;
    }
    // Another process may have written since: always append at the real end.
    LARGE_INTEGER zero{};
    SetFilePointerEx(file_, zero, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file_, bytes, static_cast<DWORD>(count), &written, nullptr);
}
