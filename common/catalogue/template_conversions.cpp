#include "common/catalogue/template_conversions.h"

namespace {

bool IsLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Size prefixes spelled with letters; the conversion follows them.
bool IsSizeLetter(char16_t c) {
    return c == u'l' || c == u'h' || c == u'w' || c == u'I';
}

}  // namespace

std::u16string ConversionLetters(const char16_t* pattern) {
    std::u16string letters;
    if (pattern == nullptr) {
        return letters;
    }
    for (const char16_t* p = pattern; *p != u'\0'; ++p) {
        if (*p != u'%') {
            continue;
        }
        if (p[1] == u'%') {
            ++p;
            continue;
        }
        ++p;
        while (*p != u'\0' && (!IsLetter(*p) || IsSizeLetter(*p))) {
            ++p;
        }
        if (*p == u'\0') {
            break;
        }
        letters.push_back(*p);
    }
    return letters;
}
