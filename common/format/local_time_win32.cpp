#include <windows.h>

#include "common/format/local_time.h"

std::uint64_t LocalNowFileTime() {
    SYSTEMTIME local;
    GetLocalTime(&local);
    FILETIME fileTime{};
    SystemTimeToFileTime(&local, &fileTime);
    return (static_cast<std::uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
}
