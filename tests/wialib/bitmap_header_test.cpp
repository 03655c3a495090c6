#include "wialib/bitmap/bitmap_header.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <vector>

#include "tests/wialib/bitmap_bytes.h"

namespace {

constexpr std::uint32_t kBitfields = 3;
constexpr std::uint32_t kJpeg = 4;

std::int32_t StoredHeight(const std::vector<std::uint8_t>& header) {
    return static_cast<std::int32_t>(ReadLe32(header, 8));
}

TEST(BitmapHeader, KnownSizesAreRecognisedOnlyWhenTheBytesHoldThem) {
    for (const std::uint32_t size : {12u, 40u, 108u, 124u}) {
        std::vector<std::uint8_t> header(size);
        WriteLe(header, 0, size, 4);
        EXPECT_EQ(GetBitmapHeaderSize(header), size);
        header.pop_back();
        EXPECT_EQ(GetBitmapHeaderSize(header), 0u) << size << " declared in fewer bytes";
    }
    for (const std::uint32_t size : {0u, 14u, 41u, 64u, 0x4D42u}) {
        std::vector<std::uint8_t> header(128);
        WriteLe(header, 0, size, 4);
        EXPECT_EQ(GetBitmapHeaderSize(header), 0u) << size;
    }
    EXPECT_EQ(GetBitmapHeaderSize(std::vector<std::uint8_t>{12, 0, 0}), 0u);
    EXPECT_EQ(GetBitmapHeaderSize({}), 0u);
}

TEST(BitmapHeader, LineWidthIsPaddedToFourBytes) {
    struct Case {
        std::int32_t width;
        std::uint32_t bitCount;
        std::uint32_t bytes;
    };
    const Case cases[] = {
        {1, 1, 4},
        {33, 1, 8},
        {1, 24, 4},
        {2, 24, 8},
        {10, 24, 32},
        {10, 32, 40},
        {0, 24, 0},
        {100, 0, 0},
        {-1, 24, 0},
        {INT_MAX, 32, 0},  // 8 GiB a row does not fit 32 bits
        {INT_MAX, 0xFFFFFFFFu, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetBitmapLineWidthInBytes(c.width, c.bitCount), c.bytes)
            << c.width << " x " << c.bitCount;
    }
}

TEST(BitmapHeader, SizeAndOffsetOfTheBitsForEveryHeaderKind) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> header;
        std::uint32_t size;
        std::uint32_t offset;
    };
    const Case cases[] = {
        {"core, 24 bits", CoreHeader({.width = 10, .height = 5}), 12 + 160, 12},
        {"core, 8 bits: 256 triples", CoreHeader({.width = 8, .height = 2, .bitCount = 8}),
         12 + 768 + 16, 12 + 768},
        {"40, top-down", InfoHeader({.width = 10, .height = -5}), 40 + 160, 40},
        {"40, 1 bit", InfoHeader({.width = 4, .height = 4, .bitCount = 1}), 40 + 8 + 16, 48},
        {"40, colours used",
         InfoHeader({.width = 10, .height = 5, .bitCount = 8, .coloursUsed = 16}), 40 + 64 + 60,
         104},
        {"40, bit fields: three masks",
         InfoHeader({.width = 10, .height = 5, .bitCount = 16, .compression = kBitfields}),
         40 + 12 + 100, 52},
        {"40, JPEG with its size",
         InfoHeader({.width = 10, .height = 5, .compression = kJpeg, .imageSize = 1000}), 1040, 40},
        {"40, JPEG without size", InfoHeader({.width = 10, .height = 5, .compression = kJpeg}), 0,
         40},
        {"v4, bit fields inside the header",
         InfoHeader(
             {.size = 108, .width = 10, .height = 5, .bitCount = 32, .compression = kBitfields}),
         108 + 200, 108},
        {"v5, profile after the bits",
         InfoHeader(
             {.size = 124, .width = 10, .height = 5, .profileOffset = 400, .profileSize = 100}),
         500, 124},
        {"v5, profile before the bits",
         InfoHeader(
             {.size = 124, .width = 10, .height = 5, .profileOffset = 124, .profileSize = 50}),
         124 + 160 + 50, 174},
        {"rows overflow 32 bits", InfoHeader({.width = INT_MAX, .height = INT_MAX, .bitCount = 32}),
         0, 40},
        {"most negative height", InfoHeader({.width = 1, .height = INT_MIN, .bitCount = 32}), 0,
         40},
        {"negative width", InfoHeader({.width = -10, .height = 5}), 0, 40},
        {"colour table overflows",
         InfoHeader({.width = 1, .height = 1, .bitCount = 8, .coloursUsed = 0xFFFFFFFF}), 0, 0},
        {"profile offset and size overflow",
         InfoHeader({.size = 124,
                     .width = 10,
                     .height = 5,
                     .profileOffset = 0xFFFFFF00,
                     .profileSize = 0x200}),
         0, 124},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetBitmapSize(c.header), c.size) << c.what;
        EXPECT_EQ(GetBitmapOffsetBits(c.header), c.offset) << c.what;
    }
    std::vector<std::uint8_t> unknown(64);
    WriteLe(unknown, 0, 64, 4);
    EXPECT_EQ(GetBitmapSize(unknown), 0u);
    EXPECT_EQ(GetBitmapOffsetBits(unknown), 0u);
}

TEST(BitmapHeader, DimensionsAreAbsoluteAndUnknownHeadersLeaveThePlaces) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    EXPECT_TRUE(GetBitmapDimensions(CoreHeader({.width = 640, .height = 480}), &width, &height));
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_TRUE(GetBitmapDimensions(InfoHeader({.width = 10, .height = -5}), &width, &height));
    EXPECT_EQ(width, 10);
    EXPECT_EQ(height, 5);
    EXPECT_TRUE(GetBitmapDimensions(InfoHeader({.width = 3, .height = 4}), nullptr, &height));
    EXPECT_EQ(height, 4);

    width = -7;
    height = -7;
    std::vector<std::uint8_t> unknown(64);
    EXPECT_FALSE(GetBitmapDimensions(unknown, &width, &height));
    EXPECT_FALSE(GetBitmapDimensions(InfoHeader({.width = 1, .height = INT_MIN}), &width, &height));
    EXPECT_EQ(width, -7);
    EXPECT_EQ(height, -7);
}

TEST(BitmapHeader, ZeroHeightIsWorkedOutFromTheBufferSize) {
    struct Case {
        const char* what;
        InfoFields fields;
        std::uint32_t bufferSize;
        bool topDown;
        std::int32_t height;
        std::uint32_t imageSize;
    };
    const Case cases[] = {
        {"whole rows", {.width = 10}, 40 + 160, true, -5, 160},
        {"a partial row counts for nothing", {.width = 10}, 40 + 165, true, -5, 165},
        {"bottom-up", {.width = 10}, 40 + 160, false, 5, 160},
        {"masks after a 40-byte header",
         {.width = 10, .bitCount = 16, .compression = kBitfields},
         40 + 12 + 100,
         true,
         -5,
         100},
        {"v5 profile",
         {.size = 124, .width = 10, .profileOffset = 284, .profileSize = 50},
         124 + 50 + 160,
         true,
         -5,
         160},
        {"image size already known", {.width = 10, .imageSize = 320}, 999, true, -10, 320},
        {"header and table only", {.width = 10, .bitCount = 8}, 40 + 1024, true, 0, 0},
        {"stored height is kept", {.width = 10, .height = 7}, 40 + 160, true, 7, 0},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> header = InfoHeader(c.fields);
        EXPECT_TRUE(FixBitmapHeight(header, c.bufferSize, c.topDown)) << c.what;
        EXPECT_EQ(StoredHeight(header), c.height) << c.what;
        EXPECT_EQ(ReadLe32(header, 20), c.imageSize) << c.what;
    }

    std::vector<std::uint8_t> core = CoreHeader({.width = 10});
    EXPECT_TRUE(FixBitmapHeight(core, 12 + 96, true));
    EXPECT_EQ(core[6] | (core[7] << 8), 3) << "a core header has no top-down form";
}

TEST(BitmapHeader, HeightThatCannotBeWorkedOutLeavesTheHeader) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> header;
        std::uint32_t bufferSize;
    };
    const Case cases[] = {
        {"zero width: no row width to divide by", InfoHeader({.width = 0}), 1000},
        {"zero bits per pixel", InfoHeader({.width = 10, .bitCount = 0}), 1000},
        {"buffer shorter than header and table", InfoHeader({.width = 10, .bitCount = 8}), 100},
        {"buffer shorter than the v5 profile",
         InfoHeader({.size = 124, .width = 10, .profileSize = 0xFFFFFFF0}), 1000},
        {"core buffer shorter than the header", CoreHeader({.width = 10}), 4},
        {"core height past 16 bits", CoreHeader({.width = 1, .bitCount = 1}), 12 + 6 + 4 * 70000},
        {"unknown header", std::vector<std::uint8_t>(64), 1000},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> header = c.header;
        EXPECT_FALSE(FixBitmapHeight(header, c.bufferSize, true)) << c.what;
        EXPECT_EQ(header, c.header) << c.what;
    }
}

TEST(BitmapHeader, FileHeaderCountsFromTheStartOfTheFile) {
    std::array<std::uint8_t, kBitmapFileHeaderSize> file{};
    file.fill(0xAA);
    ASSERT_TRUE(FillBitmapFileHeader(InfoHeader({.width = 10, .height = -5}), file));
    const std::vector<std::uint8_t> bytes(file.begin(), file.end());
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(ReadLe32(bytes, 2), 200u + 14);
    EXPECT_EQ(ReadLe32(bytes, 6), 0u);
    EXPECT_EQ(ReadLe32(bytes, 10), 40u + 14);

    const std::vector<std::uint8_t> refused[] = {
        std::vector<std::uint8_t>(64),
        InfoHeader({.width = 10, .height = 5, .compression = kJpeg}),
        // Fits 32 bits, but not once the file header is added.
        InfoHeader({.width = 10, .height = 5, .compression = kJpeg, .imageSize = 0xFFFFFFD2}),
    };
    for (const std::vector<std::uint8_t>& header : refused) {
        file.fill(0xAA);
        EXPECT_FALSE(FillBitmapFileHeader(header, file));
        EXPECT_EQ(file[0], 0xAA);
    }
}

}  // namespace
