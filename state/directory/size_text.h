#pragma once
// Sizes as the shell shows them ("12,5 MB", "700 kB") back to bytes, rounded
// up by one unit of the last digit shown so that the result is never below
// the size the text stands for.
#include <cstdint>
#include <string_view>

// The decimal separator is the user's (at most 4 units); units are "kB",
// "MB", "GB" and "TB", case-sensitive and last in the text; anything else
// counts bytes. Text without a digit gives 0.
std::uint64_t ParseSizeTextWith(std::u16string_view text, std::u16string_view decimalSeparator);
