#pragma once
// Trace names of the interfaces and property sets the WIA objects are asked
// about in QueryInterface and property reads.
#include <cstdint>

#include "wialib/names/guid.h"

inline constexpr std::int32_t kNoGuidNumber = -1;

// The table's name of guid, else its braced form ("{XXXXXXXX-XXXX-...}")
// followed by "." and number in unsigned decimal unless number is
// kNoGuidNumber. With a tag the text is also traced as "<tag> <text>". The
// text lives in a 260-unit buffer of the calling thread, overwritten by its
// next call.
const char16_t* GuidName(const char16_t* tag, const Guid& guid, std::int32_t number);
