#include "state/directory/crc32.h"

#include <array>

namespace {

constexpr std::array<std::uint32_t, 256> MakeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        std::uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit) {
            c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        }
        table[i] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kTable = MakeTable();

}  // namespace

std::uint32_t Crc32OfLowBytes(std::u16string_view text) {
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char16_t unit : text) {
        crc = kTable[(crc ^ unit) & 0xFFU] ^ (crc >> 8);
    }
    return ~crc;
}
