#pragma once
// What the trace needs from the operating system, behind one small seam.
#include <cstddef>
#include <cstdint>

// Local wall-clock time in the fields of a Windows SYSTEMTIME.
struct TraceTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};

struct AnsiConversion {
    std::size_t bytes = 0;  // bytes written to the output
    std::size_t units = 0;  // UTF-16 units they came from
};

namespace trace_platform {

TraceTime LocalTimeNow();
// Performance counter and its frequency; 0 when the system has none.
std::int64_t CounterNow();
std::int64_t CounterFrequency();
std::uint32_t ProcessId();
std::uint32_t ThreadId();
// Converts the longest prefix of whole characters that fits in capacity
// bytes to the ANSI code page; no terminator is written.
AnsiConversion ToAnsi(const char16_t* text, std::size_t units, char* out, std::size_t capacity);

// The counting semaphore that wakes the trace writer. Not std's: without a
// futex (mingw) libstdc++ 12 can lose a release, and the writer then sleeps
// through its stop request.
class WakeSignal {
  public:
    WakeSignal();
    ~WakeSignal();
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    void Release();
    void Acquire();
    bool TryAcquire();

  private:
    void* semaphore_;
};

}  // namespace trace_platform
