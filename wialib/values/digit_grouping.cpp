#include "wialib/values/digit_grouping.h"

#include <algorithm>

namespace {

constexpr std::size_t kMaxSeparatorUnits = 4;
constexpr std::size_t kMaxGroupedUnits = 29;
constexpr std::size_t kGroupDigits = 3;

bool IsDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

}  // namespace

std::u16string GroupDigits(std::u16string_view text, std::u16string_view separator) {
    separator = separator.substr(0, kMaxSeparatorUnits);
    std::size_t first = 0;
    while (first < text.size() && !IsDigit(text[first])) {
        ++first;
    }
    std::size_t last = first;
    while (last < text.size() && IsDigit(text[last])) {
        ++last;
    }
    std::u16string grouped(text.substr(0, first));
    for (std::size_t i = first; i < last; ++i) {
        const std::size_t left = last - i;
        if (i != first && left % kGroupDigits == 0) {
            grouped += separator;
        }
        grouped += text[i];
    }
    grouped += text.substr(last);
    grouped.resize(std::min(grouped.size(), kMaxGroupedUnits));
    return grouped;
}
