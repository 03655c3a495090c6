#include "common/catalogue/composite_expansion.h"

#include "common/catalogue/catalogue.h"
#include "diag/text/text_units.h"

namespace {

constexpr int kMaxReferenceDigits = 3;

}  // namespace

int _BuildStringIndirect(const char16_t* text, std::u16string* result) {
    if (text == nullptr || result == nullptr) {
        return 0;
    }
    std::u16string expanded;
    int resolved = 0;
    const char16_t* p = text;
    for (;;) {
        const char16_t* open = p;
        while (*open != u'\0' && *open != u'[') {
            ++open;
        }
        expanded.append(p, open);
        if (*open == u'\0') {
            break;
        }
        int id = 0;
        int digits = 0;
        const char16_t* q = open + 1;
        for (; digits < kMaxReferenceDigits && IsAsciiDigit(*q); ++q, ++digits) {
            id = id * 10 + (*q - u'0');
        }
        while (*q != u'\0' && *q != u']') {
            ++q;
        }
        const char16_t* piece = digits > 0 ? CatalogueText(id, 0) : nullptr;
        if (piece == nullptr || *q != u']') {
            return 0;
        }
        expanded.append(piece);
        ++resolved;
        p = q + 1;
    }
    if (resolved == 0) {
        return 0;
    }
    *result = std::move(expanded);
    return 1;
}
