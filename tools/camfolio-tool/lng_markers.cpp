#include "tools/camfolio-tool/lng_markers.h"

#include "common/catalogue/template_conversions.h"
#include "common/language/language_file_lines.h"

namespace {

MarkerType TypeOf(char16_t letter) {
    switch (letter) {
        case u's':
        case u'S':
            return MarkerType::String;
        case u'c':
        case u'C':
            return MarkerType::Char;
        default:
            return MarkerType::Integer;
    }
}

}  // namespace

MarkerSignature SignatureOf(const char16_t* english) {
    const std::u16string letters = ConversionLetters(english);
    MarkerSignature signature;
    signature.count = static_cast<int>(letters.size());
    if (!letters.empty()) {
        signature.type1 = TypeOf(letters[0]);
    }
    if (letters.size() > 1) {
        signature.type2 = TypeOf(letters[1]);
    }
    return signature;
}

bool MarkersFit(const std::u16string& translation, const MarkerSignature& signature) {
    if (signature.count == 0) {
        return true;
    }
    // The reader doubles "%" before the text is ever transformed.
    const std::u16string stored = DoublePercents(translation, translation.size() * 2);
    std::u16string transformed;
    int swapped = 0;
    return _TransformFormat(stored.c_str(), &transformed, signature.count, signature.type1,
                            signature.type2, &swapped) != 0;
}

std::u16string WithMarkers(const char16_t* english) {
    std::u16string text;
    int marker = 0;
    for (const char16_t* p = english; *p != u'\0'; ++p) {
        if (*p != u'%') {
            text.push_back(*p);
        } else if (p[1] == u'%') {
            text.push_back(u'%');
            ++p;
        } else if (p[1] != u'\0') {
            // The English texts use plain conversions: "%s", "%c", "%d".
            text += u'#';
            text += static_cast<char16_t>(u'1' + marker++);
            ++p;
        }
    }
    return text;
}
