#include "diag/text/text_utils.h"

#include <string>

#include "diag/text/text_units.h"

namespace {

template <typename CharT>
void Trim(CharT* text, CharT a, CharT b) {
    if (text == nullptr) {
        return;
    }
    std::size_t n = std::char_traits<CharT>::length(text);
    while (n > 0 && (text[n - 1] == a || text[n - 1] == b)) {
        --n;
    }
    text[n] = CharT{};
}

template <typename CharT>
std::ptrdiff_t Find(const CharT* text, const CharT* pattern) {
    if (text == nullptr || pattern == nullptr) {
        return -1;
    }
    for (std::size_t start = 0;; ++start) {
        std::size_t i = 0;
        while (pattern[i] != CharT{} && FoldAscii(text[start + i]) == FoldAscii(pattern[i])) {
            ++i;
        }
        if (pattern[i] == CharT{}) {
            return static_cast<std::ptrdiff_t>(start);
        }
        if (text[start] == CharT{}) {
            return -1;
        }
    }
}

}  // namespace

void StripLeading(char16_t* text, char16_t a, char16_t b) {
    if (text == nullptr) {
        return;
    }
    std::size_t skip = 0;
    while (text[skip] != u'\0' && (text[skip] == a || text[skip] == b)) {
        ++skip;
    }
    if (skip == 0) {
        return;
    }
    std::size_t i = 0;
    do {
        text[i] = text[i + skip];
    } while (text[i++] != u'\0');
}

void TrimTrailing(char16_t* text, char16_t a, char16_t b) {
    Trim(text, a, b);
}
void TrimTrailing(char* text, char a, char b) {
    Trim(text, a, b);
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::ptrdiff_t FindNoCase(const char16_t* text, const char16_t* pattern) {
    return Find(text, pattern);
}
std::ptrdiff_t FindNoCase(const char* text, const char* pattern) {
    return Find(text, pattern);
}

bool ReplaceFirst(char16_t* buffer, std::size_t capacity, const char16_t* what,
                  const char16_t* with) {
    if (buffer == nullptr || capacity == 0 || what == nullptr || what[0] == u'\0' ||
        with == nullptr) {
        return false;
    }
    const std::size_t length = std::char_traits<char16_t>::length(buffer);
    const std::size_t whatLength = std::char_traits<char16_t>::length(what);
    std::size_t at = 0;
    for (;; ++at) {
        if (at + whatLength > length) {
            return false;
        }
        std::size_t i = 0;
        while (i < whatLength && buffer[at + i] == what[i]) {
            ++i;
        }
        if (i == whatLength) {
            break;
        }
    }
    const std::size_t withLength = std::char_traits<char16_t>::length(with);
    const std::size_t tailStart = at + whatLength;
    const std::size_t tailLength = length - tailStart;
    const std::size_t last = capacity - 1;  // room for units, terminator excluded
    // Move the tail first, from the side that does not overwrite it.
    const std::size_t newTail = at + withLength;
    if (newTail > tailStart) {
        for (std::size_t i = tailLength; i-- > 0;) {
            if (newTail + i < last) {
                buffer[newTail + i] = buffer[tailStart + i];
            }
        }
    } else {
        for (std::size_t i = 0; i < tailLength; ++i) {
            buffer[newTail + i] = buffer[tailStart + i];
        }
    }
    for (std::size_t i = 0; i < withLength && at + i < last; ++i) {
        buffer[at + i] = with[i];
    }
    const std::size_t end = newTail + tailLength;
    buffer[end < last ? end : last] = u'\0';
    return true;
}

namespace {
template <typename CharT>
std::size_t FindViewNoCase(std::basic_string_view<CharT> text,
                           std::basic_string_view<CharT> pattern, std::size_t from) {
    for (std::size_t at = from; at < text.size() && text.size() - at >= pattern.size(); ++at) {
        std::size_t i = 0;
        while (i < pattern.size() && FoldAscii(text[at + i]) == FoldAscii(pattern[i])) {
            ++i;
        }
        if (i == pattern.size()) {
            return at;
        }
    }
    return std::basic_string_view<CharT>::npos;
}
}  // namespace

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && (a.empty() || FindViewNoCase(a, b, 0) == 0);
}
bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && (a.empty() || FindViewNoCase(a, b, 0) == 0);
}

std::size_t FindNoCase(std::u16string_view text, std::u16string_view pattern, std::size_t from) {
    return FindViewNoCase(text, pattern, from);
}
std::size_t FindNoCase(std::string_view text, std::string_view pattern, std::size_t from) {
    return FindViewNoCase(text, pattern, from);
}
