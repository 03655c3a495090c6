#pragma once
// Composite texts: templates whose [NNN] references (three decimal digits,
// closed by "]") stand for the text of plain id NNN.
#include <string>

// Replaces every reference in text by the referenced text, translated if a
// translation is loaded, else English. Non-zero, with the result in *result,
// when at least one reference was resolved; zero, leaving *result alone, when
// text holds no "[", a reference is malformed or names an id without text, or
// result is null. The pieces are used as they are: their printf conversions
// become conversions of the result.
int _BuildStringIndirect(const char16_t* text, std::u16string* result);
