#pragma once
// The fixed sizes of the version check's HTTP exchange, in bytes.
#include <cstddef>

inline constexpr std::size_t kHttpResponseBytes = 10240;
inline constexpr std::size_t kHttpRequestBytes = 8192;
// Host, path and cookie jar: 200 bytes each with the terminator.
inline constexpr std::size_t kHttpTextBytes = 200;
inline constexpr int kHttpDefaultPort = 80;
// Redirects and meta refreshes followed in one check; a loop ends at this.
inline constexpr int kHttpMaxHops = 10;
