#pragma once
// Result lines of the catalogue's operations ("RETURN: RC=0x%08X (%s)").
#include <cstdint>

// Texts are reported as pointers are: by their low 32 bits.
void TraceReturnText(const char16_t* tag, const char16_t* text);
void TraceReturnCount(const char16_t* tag, int count);
