#pragma once
// UTF-8 <-> UTF-16 for text that crosses a byte-oriented boundary (command
// lines and standard output of the support tool). Invalid input becomes
// U+FFFD rather than failing.
#include <string>
#include <string_view>

std::u16string Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::u16string_view text);
