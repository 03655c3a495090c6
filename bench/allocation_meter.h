#pragma once
// Counts the bytes held through the global operator new of this program, so
// that a benchmark can tell what a step's data structures cost at their
// peak. Linking allocation_meter.cpp replaces operator new and delete.
#include <cstddef>

namespace allocation_meter {

// Bytes allocated and not yet freed.
std::size_t Held();
// The most held since the last ResetPeak.
std::size_t Peak();
// Starts a new peak from what is held now.
void ResetPeak();

}  // namespace allocation_meter
