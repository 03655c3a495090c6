#pragma once
// Bitmap info headers built field by field for the bitmap tests.
#include <cstddef>
#include <cstdint>
#include <vector>

inline std::uint32_t ReadLe32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) |
           (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

inline void WriteLe(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value,
                    int count) {
    for (int i = 0; i < count; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

struct CoreFields {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t bitCount = 24;
};

inline std::vector<std::uint8_t> CoreHeader(const CoreFields& f) {
    std::vector<std::uint8_t> bytes(12);
    WriteLe(bytes, 0, 12, 4);
    WriteLe(bytes, 4, f.width, 2);
    WriteLe(bytes, 6, f.height, 2);
    WriteLe(bytes, 8, 1, 2);
    WriteLe(bytes, 10, f.bitCount, 2);
    return bytes;
}

// The 40-byte header and its version 4 (108) and 5 (124) successors.
struct InfoFields {
    std::uint32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t profileOffset = 0;
    std::uint32_t profileSize = 0;
};

inline std::vector<std::uint8_t> InfoHeader(const InfoFields& f) {
    std::vector<std::uint8_t> bytes(f.size);
    WriteLe(bytes, 0, f.size, 4);
    WriteLe(bytes, 4, static_cast<std::uint32_t>(f.width), 4);
    WriteLe(bytes, 8, static_cast<std::uint32_t>(f.height), 4);
    WriteLe(bytes, 12, 1, 2);
    WriteLe(bytes, 14, f.bitCount, 2);
    WriteLe(bytes, 16, f.compression, 4);
    WriteLe(bytes, 20, f.imageSize, 4);
    WriteLe(bytes, 32, f.coloursUsed, 4);
    if (f.size >= 124) {
        WriteLe(bytes, 112, f.profileOffset, 4);
        WriteLe(bytes, 116, f.profileSize, 4);
    }
    return bytes;
}
