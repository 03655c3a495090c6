#pragma once
// Exclusion patterns: "*" matches any run of units, "?" any one unit; the
// comparison is case-blind (FoldAscii).
#include <string_view>

bool MatchesWildcard(std::u16string_view pattern, std::u16string_view text);
