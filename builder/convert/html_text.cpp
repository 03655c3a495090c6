#include "builder/convert/html_text.h"
#include "diag/text/text_units.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;

struct NamedReference {
    std::u16string_view name;  // after "&", with its ";"
    char16_t unit;
};

constexpr NamedReference kNamedReferences[] = {
    {u"amp;", u'&'},  {u"lt;", u'<'},    {u"gt;", u'>'},
    {u"quot;", u'"'}, {u"apos;", u'\''}, {u"nbsp;", u'\u00A0'},
};

bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

int DigitValue(char16_t c, bool hex) {
    if (IsAsciiDigit(c)) {
        return c - u'0';
    }
    if (hex && c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (hex && c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

void AppendCodePoint(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
        return;
    }
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

// The reference starting with the "&" at html[at]: appends its character and
// returns the index after its ";", or returns at when it is not one.
std::size_t DecodeReference(std::u16string_view html, std::size_t at, std::u16string& out) {
    const std::u16string_view rest = html.substr(at + 1);
    if (rest.empty() || rest[0] != u'#') {
        for (const NamedReference& reference : kNamedReferences) {
            if (rest.starts_with(reference.name)) {
                out.push_back(reference.unit);
                return at + 1 + reference.name.size();
            }
        }
        return at;
    }
    const bool hex = rest.size() > 1 && (rest[1] == u'x' || rest[1] == u'X');
    std::size_t i = hex ? 2 : 1;
    const std::size_t firstDigit = i;
    std::uint32_t code = 0;
    for (; i < rest.size(); ++i) {
        const int digit = DigitValue(rest[i], hex);
        if (digit < 0) {
            break;
        }
        // Past the last code point further digits only keep it invalid.
        if (code <= kLastCodePoint) {
            code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
        }
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (i == firstDigit || i == rest.size() || rest[i] != u';' || code > kLastCodePoint ||
        code == 0 || surrogate) {
        return at;
    }
    AppendCodePoint(out, code);
    return at + 1 + i + 1;
}

bool OpensMarkup(std::u16string_view html, std::size_t at) {
    if (at + 1 >= html.size()) {
        return false;
    }
    const char16_t next = html[at + 1];
    return IsAsciiLetter(next) || next == u'/' || next == u'!' || next == u'?';
}

// The index after the markup that opens at html[at], or the end when it is
// never closed.
std::size_t SkipMarkup(std::u16string_view html, std::size_t at) {
    if (html.substr(at).starts_with(u"<!--")) {
        const std::size_t close = html.find(u"-->", at + 4);
        return close == std::u16string_view::npos ? html.size() : close + 3;
    }
    char16_t quote = 0;
    char16_t lastSignificant = 0;
    for (std::size_t i = at + 1; i < html.size(); ++i) {
        const char16_t c = html[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
                lastSignificant = c;
            }
        } else if (c == u'>') {
            return i + 1;
        } else if ((c == u'"' || c == u'\'') && lastSignificant == u'=') {
            quote = c;
        } else if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') {
            lastSignificant = c;
        }
    }
    return html.size();
}

}  // namespace

std::u16string HtmlToText(std::u16string_view html) {
    std::u16string text;
    text.reserve(html.size());
    std::size_t i = 0;
    while (i < html.size()) {
        const char16_t c = html[i];
        if (c == u'&') {
            const std::size_t next = DecodeReference(html, i, text);
            if (next == i) {
                text.push_back(c);
                ++i;
            } else {
                i = next;
            }
        } else if (c == u'<' && OpensMarkup(html, i)) {
            i = SkipMarkup(html, i);
        } else {
            text.push_back(c);
            ++i;
        }
    }
    return text;
}
