#pragma once
// The checksum that labels directory items: CRC-32 (IEEE, reflected
// 0xEDB88320, initial 0xFFFFFFFF, final complement) over the low byte of
// each UTF-16 unit.
#include <cstdint>
#include <string_view>

std::uint32_t Crc32OfLowBytes(std::u16string_view text);
