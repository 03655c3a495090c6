#pragma once
// What the built-in printf templates ask of their arguments.
#include <string>

// The conversion letters of template in order ("%%" has none), e.g. u"sd" for
// "'%s' is only %d%%". Flags, width, precision and size prefixes are skipped.
std::u16string ConversionLetters(const char16_t* pattern);
