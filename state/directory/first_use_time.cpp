#include "state/directory/first_use_time.h"

#include <chrono>

namespace {

// 1601-01-01 to 1970-01-01 in 100-nanosecond intervals.
constexpr std::uint64_t kUnixEpochAsFileTime = 116444736000000000ULL;

std::uint64_t NowAsFileTime() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks =
        std::chrono::duration_cast<std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>>(
            sinceEpoch);
    return kUnixEpochAsFileTime + static_cast<std::uint64_t>(ticks.count());
}

}  // namespace

std::uint64_t FirstUseFileTime() {
    static const std::uint64_t firstUse = NowAsFileTime();
    return firstUse;
}
