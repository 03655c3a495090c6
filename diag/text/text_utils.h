#pragma once
// Small in-place text utilities; untraced. Case-blind means FoldAscii
// (text_units.h).
#include <cstddef>
#include <string_view>

// Removes every leading unit equal to a or b.
void StripLeading(char16_t* text, char16_t a, char16_t b);
// Removes every trailing unit equal to a or b.
void TrimTrailing(char16_t* text, char16_t a, char16_t b);
void TrimTrailing(char* text, char a, char b);
// text without its leading and trailing blanks and tabs.
std::u16string_view TrimBlanks(std::u16string_view text);

// Whether a and b hold the same text, case-blind.
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Index of the first case-blind occurrence of pattern in text, -1 when none;
// an empty pattern matches at 0.
std::ptrdiff_t FindNoCase(const char16_t* text, const char16_t* pattern);
std::ptrdiff_t FindNoCase(const char* text, const char* pattern);
// The same at or after from; npos when none.
std::size_t FindNoCase(std::u16string_view text, std::u16string_view pattern, std::size_t from);
std::size_t FindNoCase(std::string_view text, std::string_view pattern, std::size_t from);

// Replaces the first (case-sensitive) occurrence of what by with in a buffer of
// the given capacity, keeping what followed it; whatever no longer fits is cut.
// Returns false when what does not occur.
bool ReplaceFirst(char16_t* buffer, std::size_t capacity, const char16_t* what,
                  const char16_t* with);
