#pragma once
// The process's first-use time: the system clock (UTC) on the FILETIME
// scale, read the first time it is asked for and then kept. It stands for
// items without a time and for persistent directories.
#include <cstdint>

std::uint64_t FirstUseFileTime();
