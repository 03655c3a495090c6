#include "wialib/bitmap/bitmap_header.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>

#include "diag/trace/trace.h"
#include "wialib/bitmap/bitmap_tags.h"
#include "wialib/names/result_name.h"

namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitfields = 3;
// The three colour masks that follow a 40-byte header with BI_BITFIELDS.
constexpr std::uint64_t kMaskBytes = 12;
constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();
// Above every sum of a few 32-bit values: marks a product that overflowed.
constexpr std::uint64_t kTooLarge = kMax32 + 1;

std::uint32_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8);
}

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return ReadU16(bytes, at) | (ReadU16(bytes, at + 2) << 16);
}

void WriteU16(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void WriteU32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    WriteU16(bytes, at, value & 0xFFFF);
    WriteU16(bytes, at + 2, value >> 16);
}

std::uint32_t HeaderSizeOf(std::span<const std::uint8_t> header) {
    if (header.size() < 4) {
        return 0;
    }
    const std::uint32_t size = ReadU32(header, 0);
    const bool known = size == kCoreHeaderSize || size == kInfoHeaderSize ||
                       size == kV4HeaderSize || size == kV5HeaderSize;
    return known && size <= header.size() ? size : 0;
}

struct InfoHeader {
    std::uint32_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t imageSize = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t profileOffset = 0;
    std::uint32_t profileSize = 0;

    bool IsCore() const { return size == kCoreHeaderSize; }
    std::uint64_t Masks() const {
        return size == kInfoHeaderSize && compression == kBitfields ? kMaskBytes : 0;
    }
};

std::optional<InfoHeader> ReadHeader(std::span<const std::uint8_t> bytes) {
    InfoHeader header;
    header.size = HeaderSizeOf(bytes);
    if (header.size == 0) {
        return std::nullopt;
    }
    if (header.IsCore()) {
        header.width = ReadU16(bytes, 4);
        header.height = ReadU16(bytes, 6);
        header.bitCount = ReadU16(bytes, 10);
        return header;
    }
    header.width = static_cast<std::int32_t>(ReadU32(bytes, 4));
    header.height = static_cast<std::int32_t>(ReadU32(bytes, 8));
    header.bitCount = ReadU16(bytes, 14);
    header.compression = ReadU32(bytes, 16);
    header.imageSize = ReadU32(bytes, 20);
    header.coloursUsed = ReadU32(bytes, 32);
    if (header.size == kV5HeaderSize) {
        header.profileOffset = ReadU32(bytes, 112);
        header.profileSize = ReadU32(bytes, 116);
    }
    return header;
}

// Saturates at kTooLarge, so sums of a few such values never wrap.
std::uint64_t Times(std::uint64_t a, std::uint64_t b) {
    if (a >= kTooLarge || b >= kTooLarge) {
        return kTooLarge;
    }
    if (a == 0 || b == 0) {
        return 0;
    }
    return a > kMax32 / b ? kTooLarge : a * b;
}

std::uint64_t RowBytes(std::int64_t width, std::uint64_t bitCount) {
    if (width < 0) {
        return kTooLarge;
    }
    const std::uint64_t bits = Times(static_cast<std::uint64_t>(width), bitCount);
    return bits == kTooLarge ? kTooLarge : (bits + 31) / 32 * 4;
}

std::uint64_t ColourTableBytes(const InfoHeader& header) {
    const std::uint64_t paletteEntries =
        header.bitCount <= 8 ? std::uint64_t{1} << header.bitCount : 0;
    if (header.IsCore()) {
        return 3 * paletteEntries;
    }
    return header.coloursUsed != 0 ? 4 * std::uint64_t{header.coloursUsed} : 4 * paletteEntries;
}

std::uint32_t Fit32(std::uint64_t value) {
    return value <= kMax32 ? static_cast<std::uint32_t>(value) : 0;
}

std::uint64_t SizeOf(const InfoHeader& header) {
    const std::uint64_t table = ColourTableBytes(header);
    const std::uint64_t row = RowBytes(header.width, header.bitCount);
    if (header.IsCore()) {
        return kCoreHeaderSize + table + Times(row, static_cast<std::uint64_t>(header.height));
    }
    std::uint64_t bits = header.imageSize;
    if (bits == 0) {
        if (header.compression != kRgb && header.compression != kBitfields) {
            return 0;
        }
        bits = Times(row, static_cast<std::uint64_t>(std::abs(header.height)));
    }
    std::uint64_t size = header.size + table + bits + header.Masks();
    if (header.size == kV5HeaderSize) {
        size = std::max<std::uint64_t>(size, header.profileOffset) + header.profileSize;
    }
    return size;
}

std::uint64_t OffsetOf(const InfoHeader& header) {
    std::uint64_t offset = header.size + ColourTableBytes(header) + header.Masks();
    if (header.size == kV5HeaderSize && offset >= header.profileOffset) {
        offset += header.profileSize;
    }
    return offset;
}

std::uint32_t Returned(const char16_t* tag, std::uint32_t value) {
    TraceReturn(tag, value, ResultName(value));
    return value;
}

bool Returned(const char16_t* tag, bool value) {
    Returned(tag, value ? 1u : 0u);
    return value;
}

}  // namespace

std::uint32_t GetBitmapHeaderSize(std::span<const std::uint8_t> header) {
    TraceEnter(kGetBitmapHeaderSizeTag);
    return Returned(kGetBitmapHeaderSizeTag, HeaderSizeOf(header));
}

std::uint32_t GetBitmapLineWidthInBytes(std::int32_t width, std::uint32_t bitCount) {
    TraceEnter(kGetBitmapLineWidthInBytesTag);
    return Returned(kGetBitmapLineWidthInBytesTag, Fit32(RowBytes(width, bitCount)));
}

bool GetBitmapDimensions(std::span<const std::uint8_t> header, std::int32_t* width,
                         std::int32_t* height) {
    TraceEnter(kGetBitmapDimensionsTag);
    const std::optional<InfoHeader> info = ReadHeader(header);
    const std::int64_t absolute = info ? std::abs(info->height) : 0;
    if (!info || absolute > std::numeric_limits<std::int32_t>::max()) {
        return Returned(kGetBitmapDimensionsTag, false);
    }
    if (width != nullptr) {
        *width = static_cast<std::int32_t>(info->width);
    }
    if (height != nullptr) {
        *height = static_cast<std::int32_t>(info->IsCore() ? info->height : absolute);
    }
    return Returned(kGetBitmapDimensionsTag, true);
}

std::uint32_t GetBitmapSize(std::span<const std::uint8_t> header) {
    TraceEnter(kGetBitmapSizeTag);
    const std::optional<InfoHeader> info = ReadHeader(header);
    return Returned(kGetBitmapSizeTag, info ? Fit32(SizeOf(*info)) : 0);
}

std::uint32_t GetBitmapOffsetBits(std::span<const std::uint8_t> header) {
    TraceEnter(kGetBitmapOffsetBitsTag);
    const std::optional<InfoHeader> info = ReadHeader(header);
    return Returned(kGetBitmapOffsetBitsTag, info ? Fit32(OffsetOf(*info)) : 0);
}

bool FixBitmapHeight(std::span<std::uint8_t> header, std::uint32_t bufferSize, bool topDown) {
    TraceEnter(kFixBitmapHeightTag);
    const std::optional<InfoHeader> info = ReadHeader(header);
    if (!info) {
        return Returned(kFixBitmapHeightTag, false);
    }
    if (info->height != 0) {
        return Returned(kFixBitmapHeightTag, true);
    }
    const std::uint64_t row = RowBytes(info->width, info->bitCount);
    if (row == 0 || row > kMax32) {
        return Returned(kFixBitmapHeightTag, false);
    }
    const std::uint64_t table = ColourTableBytes(*info);
    if (info->IsCore()) {
        const std::uint64_t used = kCoreHeaderSize + table;
        const std::uint64_t rows = bufferSize >= used ? (bufferSize - used) / row : 0;
        if (bufferSize < used || rows > 0xFFFF) {
            return Returned(kFixBitmapHeightTag, false);
        }
        WriteU16(header, 6, static_cast<std::uint32_t>(rows));
        return Returned(kFixBitmapHeightTag, true);
    }
    std::uint64_t bits = info->imageSize;
    if (bits == 0) {
        const std::uint64_t used = info->size + table + info->Masks() + info->profileSize;
        if (bufferSize < used) {
            return Returned(kFixBitmapHeightTag, false);
        }
        bits = bufferSize - used;
        WriteU32(header, 20, static_cast<std::uint32_t>(bits));
    }
    // At least 4 bytes a row: the height always fits an int32.
    const auto rows = static_cast<std::int32_t>(bits / row);
    WriteU32(header, 8, static_cast<std::uint32_t>(topDown ? -rows : rows));
    return Returned(kFixBitmapHeightTag, true);
}

bool FillBitmapFileHeader(std::span<const std::uint8_t> header,
                          std::span<std::uint8_t, kBitmapFileHeaderSize> fileHeader) {
    TraceEnter(kFillBitmapFileHeaderTag);
    const std::optional<InfoHeader> info = ReadHeader(header);
    const std::uint32_t size = info ? Fit32(SizeOf(*info)) : 0;
    const std::uint32_t offset = info ? Fit32(OffsetOf(*info)) : 0;
    if (size == 0 || offset == 0 || size > kMax32 - kBitmapFileHeaderSize ||
        offset > kMax32 - kBitmapFileHeaderSize) {
        return Returned(kFillBitmapFileHeaderTag, false);
    }
    fileHeader[0] = 'B';
    fileHeader[1] = 'M';
    WriteU32(fileHeader, 2, size + static_cast<std::uint32_t>(kBitmapFileHeaderSize));
    WriteU32(fileHeader, 6, 0);
    WriteU32(fileHeader, 10, offset + static_cast<std::uint32_t>(kBitmapFileHeaderSize));
    return Returned(kFillBitmapFileHeaderTag, true);
}
