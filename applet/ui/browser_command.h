#pragma once
// The command line that opens a URL with the registered http command.
#include <cstddef>
#include <string_view>

// The command with its first "%1" replaced by url, or with a blank and url
// appended when it has none; cut to capacity - 1 units (the trace names a
// cut). False when capacity is 0.
bool BuildBrowserCommandLine(std::u16string_view command, std::u16string_view url, char16_t* out,
                             std::size_t capacity);
