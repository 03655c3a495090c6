#pragma once
// Bounded text operations that write no trace, for the trace facility itself
// and the log writer, which must not recurse. Capacities count units of the
// buffer's kind, terminator included; nothing is written past them.
#include <array>
#include <cstddef>
#include <span>

#include "diag/text/format_arg.h"

// Length of text that may lack a terminator within its buffer.
template <typename CharT>
constexpr std::size_t BoundedLength(const CharT* text, std::size_t capacity) {
    std::size_t n = 0;
    while (n < capacity && text[n] != CharT{}) {
        ++n;
    }
    return n;
}

// Copies count units; the caller has checked the room.
template <typename CharT>
constexpr void CopyUnits(CharT* dst, const CharT* src, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        dst[i] = src[i];
    }
}

// Each returns the units now in dst (or written by the print), terminator
// excluded.
std::size_t CopyQuiet(char16_t* dst, std::size_t capacity, const char16_t* src);
std::size_t CopyQuiet(char* dst, std::size_t capacity, const char* src);
std::size_t AppendQuiet(char16_t* dst, std::size_t capacity, const char16_t* src);
std::size_t AppendQuiet(char* dst, std::size_t capacity, const char* src);
int PrintQuietV(char16_t* out, int capacity, const char16_t* format,
                std::span<const FormatArg> args);
int PrintQuietV(char* out, int capacity, const char* format, std::span<const FormatArg> args);

template <typename CharT, typename... Args>
int PrintQuiet(CharT* out, int capacity, const CharT* format, const Args&... args) {
    const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
    return PrintQuietV(out, capacity, format, std::span<const FormatArg>(list));
}
