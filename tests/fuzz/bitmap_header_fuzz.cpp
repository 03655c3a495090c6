// Feeds the bitmap header helpers headers of any size and content, so that the
// sanitizers see any read or write beyond the header's bytes, any division by
// zero and any arithmetic that wraps.
//
// Input: one flag byte (bit 0: top-down), a 32-bit little-endian buffer size,
// then the header bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "wialib/bitmap/bitmap_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) {
        return 0;
    }
    const bool topDown = (data[0] & 1) != 0;
    const std::uint32_t bufferSize =
        data[1] | (data[2] << 8) | (data[3] << 16) | (static_cast<std::uint32_t>(data[4]) << 24);
    // A copy of exactly the header's bytes: a read past them is a heap overflow.
    std::vector<std::uint8_t> header(data + 5, data + size);

    const std::uint32_t headerSize = GetBitmapHeaderSize(header);
    const std::uint32_t bitmapSize = GetBitmapSize(header);
    const std::uint32_t offsetBits = GetBitmapOffsetBits(header);
    if (headerSize == 0 && (bitmapSize != 0 || offsetBits != 0)) {
        std::abort();  // sized a header it did not recognise
    }
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (GetBitmapDimensions(header, &width, &height)) {
        GetBitmapLineWidthInBytes(width, bufferSize);
    }
    std::array<std::uint8_t, kBitmapFileHeaderSize> fileHeader{};
    FillBitmapFileHeader(header, fileHeader);
    const std::vector<std::uint8_t> before = header;
    if (!FixBitmapHeight(header, bufferSize, topDown) && header != before) {
        std::abort();  // wrote although it failed
    }
    FillBitmapFileHeader(header, fileHeader);
    return 0;
}
