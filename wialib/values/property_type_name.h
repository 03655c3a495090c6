#pragma once
// The name of a property's variant type as the WIA listing prints it.
#include <cstdint>
#include <string>

// "VT_UI2", "VT_UI2|VT_VECTOR", "Unknown (4095)": the base type from the low
// 12 bits, then "|VT_VECTOR", "|VT_ARRAY" and "|VT_RESERVED" for their flags.
std::u16string PropertyTypeName(std::uint16_t type);
