#pragma once
// ParseSizeTextWith with the user's decimal separator ("." when the locale
// cannot say).
#include <cstdint>
#include <string_view>

std::uint64_t ParseSizeText(std::u16string_view text);
