#include "common/format/format_expansion.h"

#include <string>

#include "diag/strings/bounded_string.h"

FormatExpansion::FormatExpansion(char16_t* buffer, std::size_t capacity)
    : buffer_(buffer), capacity_(capacity) {
    buffer_[0] = u'\0';
}

void FormatExpansion::AppendText(const char16_t* text) {
    if (text == nullptr) {
        return;
    }
    // Appending at the known end keeps each append proportional to its text.
    WcsCat(buffer_ + length_, capacity_ - length_, text);
    length_ += std::char_traits<char16_t>::length(buffer_ + length_);
}

bool FormatExpansion::AppendUnits(const char16_t* text, std::size_t count) {
    if (count == 0) {
        return true;
    }
    const std::size_t before = length_;
    WcsnCat(buffer_ + length_, capacity_ - length_, text, count);
    length_ += std::char_traits<char16_t>::length(buffer_ + length_);
    return length_ - before == count || text[length_ - before] == u'\0';
}

void FormatExpansion::AppendZeros(std::size_t count) {
    // In chunks, so that a huge width costs no more than the room it fills.
    static constexpr char16_t kZeros[] = u"0000000000000000";
    constexpr std::size_t kChunk = sizeof(kZeros) / sizeof(kZeros[0]) - 1;
    while (count > 0) {
        const std::size_t n = count < kChunk ? count : kChunk;
        if (!AppendUnits(kZeros, n)) {
            return;
        }
        count -= n;
    }
}

void FormatExpansion::AppendNumber(int value, int width) {
    // Sign, zeros and digits are put together here and appended at once; only
    // a width beyond this buffer has its zeros appended on their own.
    char16_t text[32];
    char16_t* const end = text + sizeof(text) / sizeof(text[0]) - 1;
    char16_t* first = end;
    *end = u'\0';
    // Unsigned, so that the most negative int has a magnitude too.
    unsigned magnitude =
        value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        *--first = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);

    const std::size_t signUnits = value < 0 ? 1 : 0;
    const std::size_t used = static_cast<std::size_t>(end - first) + signUnits;
    const std::size_t zeros = width > 0 && static_cast<std::size_t>(width) > used
                                  ? static_cast<std::size_t>(width) - used
                                  : 0;
    if (zeros + signUnits <= static_cast<std::size_t>(first - text)) {
        for (std::size_t i = 0; i < zeros; ++i) {
            *--first = u'0';
        }
        if (value < 0) {
            *--first = u'-';
        }
        AppendText(first);
        return;
    }
    if (value < 0) {
        AppendText(u"-");
    }
    AppendZeros(zeros);
    AppendText(first);
}
