#include "common/language/language_file_lines.h"
#include "diag/text/text_units.h"

#include <limits>

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

}  // namespace

bool LanguageLineReader::NextUnit(char16_t& unit) {
    if (have_ - at_ < 2) {
        // Keep an odd byte left over from the last read for the next unit.
        const bool carried = have_ - at_ == 1;
        if (carried) {
            buffer_[0] = buffer_[at_];
        }
        at_ = 0;
        have_ = carried ? 1 : 0;
        std::size_t got = 0;
        do {
            got = source_.Read(std::span<std::byte>(buffer_).subspan(have_));
            have_ += got;
        } while (got != 0 && have_ < 2);
        if (have_ < 2) {
            return false;
        }
    }
    unit = static_cast<char16_t>(std::to_integer<unsigned>(buffer_[at_]) |
                                 (std::to_integer<unsigned>(buffer_[at_ + 1]) << 8));
    at_ += 2;
    return true;
}

bool LanguageLineReader::Next(std::u16string& line) {
    line.clear();
    std::size_t read = 0;
    bool cut = false;  // a NUL unit ends the text, not the line
    char16_t unit = 0;
    while (read < kLanguageLineUnits - 1 && NextUnit(unit)) {
        ++read;
        if (unit == u'\0') {
            cut = true;
        } else if (!cut) {
            line.push_back(unit);
        }
        if (unit == u'\n') {
            break;
        }
    }
    while (!line.empty() && (line.back() == u'\r' || line.back() == u'\n')) {
        line.pop_back();
    }
    return read > 0;
}

LanguageLine ParseLanguageLine(std::u16string_view line) {
    LanguageLine parsed;
    const std::size_t equals = line.find(u'=');
    if (line.empty() || line[0] == u';' || equals == std::u16string_view::npos) {
        return parsed;
    }
    for (char16_t c : line.substr(0, equals)) {
        if (!IsBlank(c)) {
            parsed.key.push_back(c);
        }
    }
    std::size_t begin = equals + 1;
    while (begin < line.size() && IsBlank(line[begin])) {
        ++begin;
    }
    std::size_t end = line.size();
    while (end > begin && IsBlank(line[end - 1])) {
        --end;
    }
    parsed.value = line.substr(begin, end - begin);
    parsed.valueOffset = begin;
    parsed.id = DecimalValue(parsed.key);
    parsed.kind = parsed.id != 0 ? LanguageLine::Kind::Id : LanguageLine::Kind::Keyword;
    return parsed;
}

std::int32_t DecimalValue(std::u16string_view text) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        ++i;
    }
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && IsAsciiDigit(text[i]); ++i) {
        value = value > kLimit ? value : value * 10 + (text[i] - u'0');
    }
    if (negative) {
        value = -value;
        return value < std::numeric_limits<std::int32_t>::min()
                   ? std::numeric_limits<std::int32_t>::min()
                   : static_cast<std::int32_t>(value);
    }
    return value > kLimit ? static_cast<std::int32_t>(kLimit) : static_cast<std::int32_t>(value);
}

std::u16string DoublePercents(std::u16string_view value, std::size_t room) {
    std::u16string doubled;
    for (char16_t c : value) {
        const std::size_t need = c == u'%' ? 2 : 1;
        if (doubled.size() + need > room) {
            break;
        }
        doubled.append(need, c);
    }
    return doubled;
}
