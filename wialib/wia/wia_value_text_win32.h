#pragma once
// A WIA property value as listing text, with two side outputs: the item
// time (an 8-element word vector or a 16-byte vector) into a SYSTEMTIME, and
// a byte vector (the thumbnail) copied whole instead of printed.
#include <objbase.h>
#include <propidl.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// The buffer's last unit is always the terminator; time and thumbnail may be null.
void ConvertValueToString(const PROPVARIANT& value, char16_t* text, std::size_t units,
                          SYSTEMTIME* time, std::vector<std::uint8_t>* thumbnail);
