// The trace's system seam on Linux, where only the portable core is built and
// tested: the monotonic clock serves as performance counter and the "ANSI
// code page" is ASCII.
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <semaphore>

#include "diag/trace/trace_platform.h"

namespace trace_platform {

TraceTime LocalTimeNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    // localtime_r takes a lock; a thread asks once per second at most.
    thread_local std::time_t cachedSecond = -1;
    thread_local std::tm local{};
    if (seconds != cachedSecond) {
        localtime_r(&seconds, &local);
        cachedSecond = seconds;
    }
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    TraceTime t;
    t.year = static_cast<std::uint16_t>(local.tm_year + 1900);
    t.month = static_cast<std::uint16_t>(local.tm_mon + 1);
    t.dayOfWeek = static_cast<std::uint16_t>(local.tm_wday);
    t.day = static_cast<std::uint16_t>(local.tm_mday);
    t.hour = static_cast<std::uint16_t>(local.tm_hour);
    t.minute = static_cast<std::uint16_t>(local.tm_min);
    t.second = static_cast<std::uint16_t>(local.tm_sec);
    t.milliseconds = static_cast<std::uint16_t>(ms.count());
    return t;
}

std::int64_t CounterNow() {
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

std::int64_t CounterFrequency() {
    using Period = std::chrono::steady_clock::period;
    return Period::den / Period::num;
}

// Both ids are system calls here; a producer asks for them on every line.
std::uint32_t ProcessId() {
    static const auto id = static_cast<std::uint32_t>(getpid());
    return id;
}

std::uint32_t ThreadId() {
    thread_local const auto id = static_cast<std::uint32_t>(syscall(SYS_gettid));
    return id;
}

AnsiConversion ToAnsi(const char16_t* text, std::size_t units, char* out, std::size_t capacity) {
    AnsiConversion done;
    while (done.units < units && done.bytes < capacity) {
        const char16_t unit = text[done.units++];
        out[done.bytes++] = unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return done;
}

// Linux has a futex: std's semaphore is sound here.
WakeSignal::WakeSignal() : semaphore_(new std::counting_semaphore<>(0)) {}

WakeSignal::~WakeSignal() {
    delete static_cast<std::counting_semaphore<>*>(semaphore_);
}

void WakeSignal::Release() {
    static_cast<std::counting_semaphore<>*>(semaphore_)->release();
}

void WakeSignal::Acquire() {
    static_cast<std::counting_semaphore<>*>(semaphore_)->acquire();
}

bool WakeSignal::TryAcquire() {
    return static_cast<std::counting_semaphore<>*>(semaphore_)->try_acquire();
}

}  // namespace trace_platform
