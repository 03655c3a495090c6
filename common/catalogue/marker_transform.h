#pragma once
// Translated templates name their arguments by position, "#1" and "#2", so
// that a translation may put them in the other order. The transformation
// turns such a text into a printf template for the formatting operations.
#include <string>

// The argument a marker stands for, and so the conversion it becomes.
enum class MarkerType : int {
    String = 1,   // "%s"
    Char = 2,     // "%c"
    Integer = 3,  // "%d"
};

// Turns text with markerCount markers (1 or 2) into a printf template in
// *result, each "#k" becoming the conversion of typek. For two markers swapped
// is required and set to 1 when "#2" comes first (the caller then passes its
// arguments in the other order), else 0. Zero, leaving *result alone, when a
// marker is missing, repeated, out of range or followed by a second digit,
// any other "#" occurs, a type is unknown or result is null: the caller then
// uses the English template.
int _TransformFormat(const char16_t* text, std::u16string* result, int markerCount,
                     MarkerType type1, MarkerType type2, int* swapped);
