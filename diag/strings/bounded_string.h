#pragma once
// Bounded text operations. Capacities count units of the buffer's kind,
// terminator included; nothing is ever written past them. The traced family
// reports cut text and missing arguments in the trace (tags B1-B14); the
// untraced set is diag/text/quiet_string.h.
//
// The "native" (_Tcs) kind is UTF-16 in both deliverables.
#include <array>
#include <cstddef>
#include <span>

#include "diag/text/format_arg.h"

char16_t* _TcsCpy(char16_t* dst, std::size_t capacity, const char16_t* src);
char16_t* WcsCpy(char16_t* dst, std::size_t capacity, const char16_t* src);
char* StrCpy(char* dst, std::size_t capacity, const char* src);

char16_t* _TcsCat(char16_t* dst, std::size_t capacity, const char16_t* src);
char16_t* WcsCat(char16_t* dst, std::size_t capacity, const char16_t* src);
char* StrCat(char* dst, std::size_t capacity, const char* src);

// Copies at most n units; a source shorter than n is padded with terminators
// up to n, a longer one is copied without terminator (the caller terminates).
char16_t* _TcsnCpy(char16_t* dst, std::size_t capacity, const char16_t* src, std::size_t n);
char16_t* WcsnCpy(char16_t* dst, std::size_t capacity, const char16_t* src, std::size_t n);
char* StrnCpy(char* dst, std::size_t capacity, const char* src, std::size_t n);

char16_t* _TcsnCat(char16_t* dst, std::size_t capacity, const char16_t* src, std::size_t n);
char16_t* WcsnCat(char16_t* dst, std::size_t capacity, const char16_t* src, std::size_t n);
char* StrnCat(char* dst, std::size_t capacity, const char* src, std::size_t n);

// Formatted print; returns the units written (capacity - 1 when cut).
int WsPrintfV(char16_t* out, int capacity, const char16_t* format, std::span<const FormatArg> args);
int WsPrintfAV(char* out, int capacity, const char* format, std::span<const FormatArg> args);

template <typename... Args>
int WsPrintf(char16_t* out, int capacity, const char16_t* format, const Args&... args) {
    const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
    return WsPrintfV(out, capacity, format, std::span<const FormatArg>(list));
}
template <typename... Args>
int WsPrintfA(char* out, int capacity, const char* format, const Args&... args) {
    const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
    return WsPrintfAV(out, capacity, format, std::span<const FormatArg>(list));
}
