#include "state/directory/size_text.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

#include "diag/text/text_units.h"

namespace {

// More digits than this no longer fit an unsigned 64-bit value.
constexpr std::size_t kMaxDigits = 19;

struct DigitRun {
    std::uint64_t value = 0;
    int digits = 0;
};

// Reads the run of digits at pos (leaving pos after it); only its first 19
// digits count.
DigitRun ReadDigits(std::u16string_view text, std::size_t& pos) {
    DigitRun run;
    for (; pos < text.size() && IsAsciiDigit(text[pos]); ++pos) {
        if (run.digits < static_cast<int>(kMaxDigits)) {
            run.value = run.value * 10 + static_cast<std::uint64_t>(text[pos] - u'0');
            ++run.digits;
        }
    }
    return run;
}

double UnitFactor(std::u16string_view unit) {
    struct Unit {
        std::u16string_view name;
        double factor;
    };
    static constexpr std::array<Unit, 4> kUnits{{
        {u"kB", 1024.0},
        {u"MB", 1048576.0},
        {u"GB", 1073741824.0},
        {u"TB", 1099511627776.0},
    }};
    for (const Unit& candidate : kUnits) {
        if (unit == candidate.name) {
            return candidate.factor;
        }
    }
    return 1.0;
}

}  // namespace

std::uint64_t ParseSizeTextWith(std::u16string_view text, std::u16string_view decimalSeparator) {
    std::size_t pos = 0;
    while (pos < text.size() && !IsAsciiDigit(text[pos])) {
        ++pos;
    }
    if (pos == text.size()) {
        return 0;
    }
    const DigitRun integer = ReadDigits(text, pos);
    DigitRun fraction;
    const std::u16string_view separator = decimalSeparator.substr(0, 4);
    if (!separator.empty() && text.substr(pos, separator.size()) == separator) {
        pos += separator.size();
        fraction = ReadDigits(text, pos);
    }
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t')) {
        ++pos;
    }
    const double bytes =
        (static_cast<double>(integer.value) +
         (static_cast<double>(fraction.value) + 1.0) / std::pow(10.0, fraction.digits)) *
        UnitFactor(text.substr(pos));
    // Nineteen digits of terabytes lie beyond 64 bits; converting such a
    // double would be undefined.
    constexpr double kLimit = 18446744073709551616.0;
    if (bytes >= kLimit) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return static_cast<std::uint64_t>(bytes);
}
