#pragma once
// Trace names of 32-bit results for "RC=0x%08X (%s)" lines: HRESULTs, and the
// low 32 bits of results that are pointers or counts.
#include <cstdint>

// The symbolic name, or the value in signed decimal when it has none. The text
// lives in a 260-unit buffer of the calling thread, overwritten by its next
// call: format it into the line at once.
const char16_t* ResultName(std::uint32_t value);
