#include "common/catalogue/marker_transform.h"
#include "diag/text/text_units.h"

namespace {

// The conversion letter of a marker type; 0 for an unknown type.
char16_t ConversionLetter(MarkerType type) {
    switch (type) {
        case MarkerType::String:
            return u's';
        case MarkerType::Char:
            return u'c';
        case MarkerType::Integer:
            return u'd';
    }
    return 0;
}

}  // namespace

int _TransformFormat(const char16_t* text, std::u16string* result, int markerCount,
                     MarkerType type1, MarkerType type2, int* swapped) {
    if (text == nullptr || result == nullptr || markerCount < 1 || markerCount > 2 ||
        (markerCount == 2 && swapped == nullptr)) {
        return 0;
    }
    const MarkerType types[] = {type1, type2};
    bool used[2] = {false, false};
    bool firstIsSecond = false;
    std::u16string transformed;
    const char16_t* p = text;
    for (int marker = 0; marker < markerCount; ++marker) {
        const char16_t* hash = p;
        while (*hash != u'\0' && *hash != u'#') {
            ++hash;
        }
        if (*hash == u'\0' || !IsAsciiDigit(hash[1]) || IsAsciiDigit(hash[2])) {
            return 0;
        }
        const int k = hash[1] - u'0';
        if (k < 1 || k > markerCount || used[k - 1]) {
            return 0;
        }
        const char16_t letter = ConversionLetter(types[k - 1]);
        if (letter == 0) {
            return 0;
        }
        used[k - 1] = true;
        firstIsSecond = firstIsSecond || (marker == 0 && k == 2);
        transformed.append(p, hash);
        transformed.push_back(u'%');
        transformed.push_back(letter);
        p = hash + 2;
    }
    for (const char16_t* rest = p; *rest != u'\0'; ++rest) {
        if (*rest == u'#') {
            return 0;
        }
    }
    transformed.append(p);
    if (swapped != nullptr) {
        *swapped = firstIsSecond ? 1 : 0;
    }
    *result = std::move(transformed);
    return 1;
}
