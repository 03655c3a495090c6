#pragma once
// The identity label of a directory item: its name, "-", the minute stamp of
// its time and its suffix.
#include <cstdint>
#include <string>
#include <string_view>

// "-YYYYMMDDhhmm" from a FILETIME-scale value taken as it is (no time-zone
// conversion); a value the calendar cannot hold gives "-" and the first 12
// hexadecimal digits of its high and low words.
std::u16string MinuteStamp(std::uint64_t fileTime);

std::u16string ItemLabel(std::u16string_view name, std::uint64_t fileTime,
                         std::u16string_view suffix);
