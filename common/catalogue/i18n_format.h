#pragma once
// Formatting with catalogue texts as templates. Translated templates name
// their arguments with "#1" and "#2" (marker_transform.h); a translation whose
// markers do not fit the operation is replaced by the English template. Every
// template goes through the type-safe bounded formatter, so no text can make
// an operation read an argument it was not given.
//
// Each operation writes into out (capacity units, terminator included) and
// returns the units written (capacity - 1 when the text was cut). An id
// without any text gives the empty string and 0.
#include <cstdint>

#include "common/catalogue/marker_transform.h"
#include "diag/text/format_arg.h"

// The text itself, with no arguments (tag I98).
int I18N_wsprintf(char16_t* out, int capacity, std::int32_t id, int useEnglish);

// One marker and its argument (tag I50).
int I18N_wsprintf(char16_t* out, int capacity, std::int32_t id, MarkerType type1,
                  const FormatArg& arg, int useEnglish);

// Two markers and two integers, swapped when the translation names "#2" first
// (tag I88).
int I18N_wsprintf(char16_t* out, int capacity, std::int32_t id, MarkerType type1, MarkerType type2,
                  int arg1, int arg2, int useEnglish);

// Two markers and two strings, as above (tag I52).
int I18N_wsprintf(char16_t* out, int capacity, std::int32_t id, MarkerType type1, MarkerType type2,
                  const char16_t* arg1, const char16_t* arg2, int useEnglish);

// Two markers, a string and an integer, as above (tag I120).
int I18N_wsprintfI(char16_t* out, int capacity, std::int32_t id, MarkerType type1, MarkerType type2,
                   const char16_t* text, int number, int useEnglish);

// No markers and no translation of a plain id: the English text of a plain
// id, the expanded template of a composite, or the raw template of a
// composite without references (tag I58). Each string conversion takes the
// next of text1 and text2, every other conversion takes number.
int I18N_wsprintf_Internal(char16_t* out, int capacity, std::int32_t id, const char16_t* text1,
                           const char16_t* text2, int number);
