#pragma once
// The example file name the Profiles page shows for a format.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The sample picture's name under format (the built-in format when empty),
// captured at captureTime (local time, FILETIME scale), without the leading
// "\"; nullopt when the engine refuses the format or names no usable file.
std::optional<std::u16string> ProfileExample(std::u16string_view format, std::uint64_t captureTime);
