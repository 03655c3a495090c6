#include "wialib/bitmap/band_assembly.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/wialib/bitmap_bytes.h"
#include "wialib/bitmap/bitmap_header.h"

namespace {

constexpr std::uint32_t kMemoryBitmapOffset = 14;

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> Copy(std::span<const std::uint8_t> bytes) {
    return {bytes.begin(), bytes.end()};
}

TEST(BandAssembly, MemoryBitmapWithoutHeightBecomesATopDownFile) {
    // 10 x 5 pixels of 24 bits: rows of 32 bytes; the driver does not know the height.
    const std::vector<std::uint8_t> header = InfoHeader({.width = 10, .height = 0});
    const std::vector<std::uint8_t> pixels(160, 0x5A);
    BandAssembly assembly;
    ASSERT_TRUE(assembly.Begin(true, kMemoryBitmapOffset, 0));
    ASSERT_TRUE(assembly.AddBand(0, header));
    // The pixels come in two bands, the later one first.
    ASSERT_TRUE(assembly.AddBand(40 + 100, std::span(pixels).subspan(100)));
    ASSERT_TRUE(assembly.AddBand(40, std::span(pixels).first(100)));
    assembly.Finish();

    const std::vector<std::uint8_t> file = Copy(assembly.Bytes());
    ASSERT_EQ(file.size(), 14u + 40 + 160);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    const std::span<const std::uint8_t> info = std::span(file).subspan(14);
    EXPECT_EQ(static_cast<std::int32_t>(ReadLe32(file, 14 + 8)), -5);
    EXPECT_EQ(ReadLe32(file, 2), GetBitmapSize(info) + 14);
    EXPECT_EQ(ReadLe32(file, 2), file.size());
    EXPECT_EQ(ReadLe32(file, 10), 14u + 40);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 54, file.end()), pixels);
}

TEST(BandAssembly, FirstBitmapBandSizesTheBufferFromItsHeader) {
    BandAssembly assembly;
    ASSERT_TRUE(assembly.Begin(true, kMemoryBitmapOffset, 0));
    EXPECT_FALSE(assembly.HasData());
    ASSERT_TRUE(assembly.AddBand(0, InfoHeader({.width = 10, .height = 5})));
    EXPECT_TRUE(assembly.HasData());
    EXPECT_EQ(assembly.Bytes().size(), 14u + 200);

    // A header that claims more than the bound is not believed.
    ASSERT_TRUE(assembly.Begin(true, kMemoryBitmapOffset, 0));
    const std::vector<std::uint8_t> liar =
        InfoHeader({.width = 10, .height = 5, .imageSize = 0xFFFF0000});
    ASSERT_TRUE(assembly.AddBand(0, liar));
    EXPECT_EQ(assembly.Bytes().size(), 14u + 40);
}

TEST(BandAssembly, BandsLandAtTheirOffsetsInAnyOrder) {
    BandAssembly assembly;
    ASSERT_TRUE(assembly.Begin(false, 0, 16));
    EXPECT_TRUE(assembly.HasData());
    ASSERT_TRUE(assembly.AddBand(5, Bytes("world")));
    ASSERT_TRUE(assembly.AddBand(0, Bytes("hello")));
    assembly.Finish();
    std::vector<std::uint8_t> expected = Bytes("helloworld");
    expected.resize(16);
    EXPECT_EQ(Copy(assembly.Bytes()), expected);

    // Past the announced size the buffer grows.
    ASSERT_TRUE(assembly.AddBand(20, Bytes("!")));
    EXPECT_EQ(assembly.Bytes().size(), 21u);
    assembly.Reset();
    EXPECT_FALSE(assembly.HasData());
    EXPECT_TRUE(assembly.Bytes().empty());
}

TEST(BandAssembly, SizesPastTheBoundFailWithoutWriting) {
    BandAssembly assembly;
    EXPECT_FALSE(assembly.Begin(false, 0, kMaxAssembledBytes + 1));
    EXPECT_FALSE(assembly.Begin(true, kMemoryBitmapOffset, kMaxAssembledBytes - 13));

    ASSERT_TRUE(assembly.Begin(true, kMemoryBitmapOffset, 0));
    ASSERT_TRUE(assembly.AddBand(0, Bytes("abc")));
    const std::vector<std::uint8_t> before = Copy(assembly.Bytes());
    const std::uint32_t hostileOffsets[] = {
        static_cast<std::uint32_t>(kMaxAssembledBytes - 14 - 2),  // ends one past the bound
        0xFFFFFFF0u,                                              // header offset + offset wraps
        0xFFFFFFFFu,
    };
    for (const std::uint32_t offset : hostileOffsets) {
        EXPECT_FALSE(assembly.AddBand(offset, Bytes("xyz"))) << offset;
        EXPECT_EQ(Copy(assembly.Bytes()), before) << offset;
    }
}

TEST(BandAssembly, FinishMendsOnlyBitmapsAndFillsOnlyTheMemoryFormatsFileHeader) {
    const std::vector<std::uint8_t> header = InfoHeader({.width = 10, .height = 0});
    // A file header of the driver's own, the info header, then the pixels.
    std::vector<std::uint8_t> data(14 + header.size() + 160);
    const std::vector<std::uint8_t> fileHeader = Bytes("BMdriver's own");
    std::copy_n(fileHeader.begin(), 14, data.begin());
    std::copy(header.begin(), header.end(), data.begin() + 14);

    BandAssembly assembly;
    ASSERT_TRUE(assembly.Begin(false, 0, 0));
    ASSERT_TRUE(assembly.AddBand(0, data));
    assembly.Finish();
    EXPECT_EQ(Copy(assembly.Bytes()), data) << "not a bitmap: stored as it came";

    // The file format brings its own file header; only the height is mended.
    ASSERT_TRUE(assembly.Begin(true, 0, 0));
    ASSERT_TRUE(assembly.AddBand(0, data));
    assembly.Finish();
    const std::vector<std::uint8_t> file = Copy(assembly.Bytes());
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 14),
              std::vector<std::uint8_t>(data.begin(), data.begin() + 14));
    EXPECT_EQ(static_cast<std::int32_t>(ReadLe32(file, 14 + 8)), -5);
}

}  // namespace
