#pragma once
// The current local wall-clock time on the FILETIME scale, as the format
// engine expects capture times (local time, no time-zone conversion).
#include <cstdint>

std::uint64_t LocalNowFileTime();
