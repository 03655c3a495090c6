#pragma once
// What a translation of a plain id must hold for the operation that shows
// it: one marker per printf conversion of the English text, "#1" for the
// first and "#2" for the second, of the type that conversion takes.
#include <string>

#include "common/catalogue/marker_transform.h"

struct MarkerSignature {
    int count = 0;  // 0: the text is shown as it is
    MarkerType type1 = MarkerType::String;
    MarkerType type2 = MarkerType::String;
};

MarkerSignature SignatureOf(const char16_t* english);

// Whether a translation (as a language file line holds it) passes the marker
// check of the operation with this signature, as it would at run time.
bool MarkersFit(const std::u16string& translation, const MarkerSignature& signature);

// The English text as a language file line would carry it: its conversions
// become "#1" and "#2" and "%%" becomes "%".
std::u16string WithMarkers(const char16_t* english);
