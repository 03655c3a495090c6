#include <windows.h>

#include <limits>

#include "common/win32/wide_win32.h"
#include "diag/trace/trace_platform.h"

namespace trace_platform {

TraceTime LocalTimeNow() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth,  st.wDayOfWeek, st.wDay,
            st.wHour, st.wMinute, st.wSecond,    st.wMilliseconds};
}

std::int64_t CounterNow() {
    LARGE_INTEGER value;
    return QueryPerformanceCounter(&value) ? value.QuadPart : 0;
}

std::int64_t CounterFrequency() {
    LARGE_INTEGER value;
    return QueryPerformanceFrequency(&value) ? value.QuadPart : 0;
}

std::uint32_t ProcessId() {
    return GetCurrentProcessId();
}

std::uint32_t ThreadId() {
    return GetCurrentThreadId();
}

namespace {

int AnsiBytes(const char16_t* text, std::size_t units) {
    return units == 0 ? 0
                      : WideCharToMultiByte(CP_ACP, 0, AsWide(text), static_cast<int>(units),
                                            nullptr, 0, nullptr, nullptr);
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

AnsiConversion ToAnsi(const char16_t* text, std::size_t units, char* out, std::size_t capacity) {
    // A multi-byte code page may need more bytes than units: find the longest
    // prefix whose conversion fits, never splitting a surrogate pair.
    std::size_t fit = units;
    if (static_cast<std::size_t>(AnsiBytes(text, units)) > capacity) {
        std::size_t low = 0;
        std::size_t high = units;
        while (low < high) {
            const std::size_t mid = (low + high + 1) / 2;
            if (static_cast<std::size_t>(AnsiBytes(text, mid)) <= capacity) {
                low = mid;
            } else {
                high = mid - 1;
            }
        }
        fit = low;
    }
    if (fit > 0 && fit < units && IsHighSurrogate(text[fit - 1])) {
        --fit;
    }
    if (fit == 0) {
        return {};
    }
    const int bytes = WideCharToMultiByte(CP_ACP, 0, AsWide(text), static_cast<int>(fit), out,
                                          static_cast<int>(capacity), nullptr, nullptr);
    return {bytes > 0 ? static_cast<std::size_t>(bytes) : 0, bytes > 0 ? fit : 0};
}

WakeSignal::WakeSignal()
    : semaphore_(CreateSemaphoreW(nullptr, 0, std::numeric_limits<LONG>::max(), nullptr)) {}

WakeSignal::~WakeSignal() {
    if (semaphore_ != nullptr) {
        CloseHandle(semaphore_);
    }
}

void WakeSignal::Release() {
    if (semaphore_ != nullptr) {
        ReleaseSemaphore(semaphore_, 1, nullptr);
    }
}

void WakeSignal::Acquire() {
    // Without a semaphore the writer polls instead of sleeping for good.
    if (semaphore_ == nullptr || WaitForSingleObject(semaphore_, INFINITE) != WAIT_OBJECT_0) {
        Sleep(10);
    }
}

bool WakeSignal::TryAcquire() {
    return semaphore_ != nullptr && WaitForSingleObject(semaphore_, 0) == WAIT_OBJECT_0;
}

}  // namespace trace_platform
