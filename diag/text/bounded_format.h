#pragma once
// The one printf-style formatter of the system: bounded, and type-safe because
// every argument carries its type (FormatArg). Conversions: %s %ls %hs %c %d %i
// %u %ld %li %lu %x %X %f %lf %I64u %I64i %I64X %I64d %I64x %%, flags '0' '-',
// width, precision and '*'. A conversion whose argument is missing or of the
// wrong kind prints the marker "(?" + the conversion + ")", e.g. "(?%d)".
#include <array>
#include <cstddef>
#include <span>

#include "diag/text/format_arg.h"

struct FormatResult {
    std::size_t length = 0;  // units written, terminator excluded
    bool truncated = false;  // the full text did not fit
};

// Writes at most capacity - 1 units and always terminates when capacity > 0.
// A null format or output writes nothing.
FormatResult FormatBounded(char16_t* out, std::size_t capacity, const char16_t* format,
                           std::span<const FormatArg> args);
FormatResult FormatBounded(char* out, std::size_t capacity, const char* format,
                           std::span<const FormatArg> args);

template <typename CharT, typename... Args>
FormatResult FormatBoundedArgs(CharT* out, std::size_t capacity, const CharT* format,
                               const Args&... args) {
    const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
    return FormatBounded(out, capacity, format, std::span<const FormatArg>(list));
}
