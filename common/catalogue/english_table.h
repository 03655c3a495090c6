#pragma once
// The built-in English texts of the catalogue, compiled into both programs.
// Plain ids 0-198 may be translated by a language file; composite ids -1 to
// -42 are templates assembled from plain texts by [NNN] references.
#include <cstdint>

inline constexpr std::int32_t kLastPlainId = 198;
inline constexpr std::int32_t kCompositeIdCount = 42;

inline constexpr bool IsPlainId(std::int32_t id) {
    return id >= 0 && id <= kLastPlainId;
}
inline constexpr bool IsCompositeId(std::int32_t id) {
    return id < 0 && id >= -kCompositeIdCount;
}

// Null for an empty slot and for any id that is not plain.
const char16_t* EnglishText(std::int32_t id);
// Null for an empty slot and for any id that is not composite.
const char16_t* CompositeTemplate(std::int32_t id);
