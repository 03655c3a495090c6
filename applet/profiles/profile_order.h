#pragma once
// The order of the Profiles page's rows: one field chosen by the sort key,
// compared by UTF-16 units, in either direction.
#include "config/profile_record.h"

namespace sort_key {
inline constexpr int kDescending = 0x1;
inline constexpr int kName = 0x1000;
inline constexpr int kAlias = 0x100;
inline constexpr int kSubName = 0x10;
inline constexpr int kInitial = kName;  // ascending by name
}  // namespace sort_key

// Negative when first sorts before second, 0 when neither does. A missing
// text (an empty name or sub name, no alias) sorts before any text; a missing
// record sorts first whatever the direction. A key that names no field
// compares everything equal.
int CompareProfileRows(const ProfileRecord* first, const ProfileRecord* second, int sortKey);

// The key after a click on column 0 (name), 1 (alias) or 2 (sub name): every
// click reverses the direction, whichever column it is on.
int SortKeyAfterColumnClick(int sortKey, int column);
