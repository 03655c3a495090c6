#pragma once
// How the shell lookup names what it looks for: the device's parsing name,
// WIA object ids as shell parsing names, and how deep the walk goes.
#include <optional>
#include <string>
#include <string_view>

// Parsing names are held in buffers of this many units.
inline constexpr std::size_t kShellNameUnits = 260;

// Vista and later name a portable device by its identifier; older systems
// by "devid:" + key + ":". Cut to 259 units.
std::u16string DeviceParsingName(std::u16string_view deviceKey, bool vistaOrLater);

// "o" and 1 to 8 hexadecimal digits: "{%08s-0000-0000-0000-000000000000}"
// with the digits padded with "0" on the left; null for anything else.
std::optional<std::u16string> ObjectIdParsingName(std::u16string_view name);

// "{" first, "}" last and longer than 2: already a shell parsing name.
bool IsBracedName(std::u16string_view name);

// Only the device is wanted: the walk stops at the Computer folder's
// children. Otherwise the limit given, -1 meaning no limit.
inline constexpr int kNoDepthLimit = 9999;
int LookupDepth(bool wantsBeyondDevice, int depthLimit);
