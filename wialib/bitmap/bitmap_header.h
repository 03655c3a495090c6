#pragma once
// Reading and mending the bitmap headers of transferred pictures. A header is
// the bytes from the info header on (12-byte core header, 40-byte info header,
// version 4 or 5); every read stays inside the span, so a short or hostile
// buffer is "not recognised" (0 or false) rather than read past.
#include <cstddef>
#include <cstdint>
#include <span>

inline constexpr std::size_t kBitmapFileHeaderSize = 14;

// 12, 40, 108 or 124; 0 when the first value is none of them or the span is
// shorter than the size it declares.
std::uint32_t GetBitmapHeaderSize(std::span<const std::uint8_t> header);

// Bytes of one row, padded to a multiple of 4; 0 when that does not fit 32 bits
// or the width is negative.
std::uint32_t GetBitmapLineWidthInBytes(std::int32_t width, std::uint32_t bitCount);

// Width and height (absolute for the non-core headers); false, with the places
// unchanged, for a header that is not recognised. Either place may be null.
bool GetBitmapDimensions(std::span<const std::uint8_t> header, std::int32_t* width,
                         std::int32_t* height);

// Header, colour table and bits; 0 when not recognised or past 32 bits.
std::uint32_t GetBitmapSize(std::span<const std::uint8_t> header);

// Offset of the bits from the start of the info header; 0 when not recognised.
std::uint32_t GetBitmapOffsetBits(std::span<const std::uint8_t> header);

// A stored height of 0 (drivers that do not know it in advance) becomes the
// height that bufferSize bytes of header, colour table and bits hold, negative
// when topDown. False, with nothing written, when the header is not recognised
// or the height cannot be worked out.
bool FixBitmapHeight(std::span<std::uint8_t> header, std::uint32_t bufferSize, bool topDown);

// The 14-byte file header in front of the info header: "BM", file size and
// offset of the bits, both counted from the start of the file. False, with
// nothing written, when the size or the offset is not known.
bool FillBitmapFileHeader(std::span<const std::uint8_t> header,
                          std::span<std::uint8_t, kBitmapFileHeaderSize> fileHeader);
