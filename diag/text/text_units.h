#pragma once
// The capacities of the system's fixed text buffers, and the one-unit tests
// every reader of text shares. Capacities count units, terminator included.
#include <cstddef>

// Paths and names.
inline constexpr std::size_t kPathUnits = 260;

template <typename CharT>
constexpr bool IsAsciiDigit(CharT c) {
    return c >= CharT{'0'} && c <= CharT{'9'};
}

// Case-blind comparison folds the ASCII letters only, which is all the
// system compares that way (token names, path prefixes, registry names).
template <typename CharT>
constexpr CharT FoldAscii(CharT c) {
    return c >= CharT{'A'} && c <= CharT{'Z'} ? static_cast<CharT>(c - CharT{'A'} + CharT{'a'}) : c;
}

template <typename CharT>
constexpr CharT UpperAscii(CharT c) {
    return c >= CharT{'a'} && c <= CharT{'z'} ? static_cast<CharT>(c - CharT{'a'} + CharT{'A'}) : c;
}
