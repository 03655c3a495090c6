#pragma once
// Thousands grouping of a number within a text, as the directory printout
// shows sizes.
#include <string>
#include <string_view>

// The first run of decimal digits gets separator (at most its first 4 units)
// before every group of three digits counted from the right; the text before
// and after the run is kept. The result is at most 29 units.
std::u16string GroupDigits(std::u16string_view text, std::u16string_view separator);
