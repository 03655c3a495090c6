#include "state/directory/wildcard.h"

#include <cstddef>

#include "diag/text/text_units.h"

// Greedy with one backtrack point: the last "*" seen takes one unit more on
// each mismatch, which is linear in practice and never recurses.
bool MatchesWildcard(std::u16string_view pattern, std::u16string_view text) {
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t star = std::u16string_view::npos;
    std::size_t starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            starText = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || FoldAscii(pattern[p]) == FoldAscii(text[t]))) {
            ++p;
            ++t;
        } else if (star != std::u16string_view::npos) {
            p = star + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}
