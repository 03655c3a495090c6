#include <gtest/gtest.h>

#include <string>

#include "tests/support/u16.h"
#include "wialib/wia/wia_formats.h"
#include "wialib/wia/wia_property_lines.h"

namespace {

TEST(WiaFormats, KnownFormatsByTheirTextInAnyCaseUnknownNone) {
    struct Case {
        const char16_t* guid;
        const char* name;
        const char* extension;
    };
    for (const Case& c : {Case{u"{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}", "JPEG", "jpg"},
                          Case{u"{b96b3caf-0728-11d3-9d7b-0000f81ef32e}", "PNG", "png"},
                          Case{u"{B96B3CAA-0728-11D3-9D7B-0000F81EF32E}", "MemoryBMP", "bmp"},
                          Case{u"{32F8CA14-087C-4908-B7C4-6757FE7E90AB}", "AVI", "avi"}}) {
        const auto format = FindWiaFormat(c.guid);
        ASSERT_TRUE(format.has_value()) << c.name;
        EXPECT_EQ(Narrow(format->name), c.name);
        EXPECT_EQ(Narrow(format->extension), c.extension);
    }
    EXPECT_FALSE(FindWiaFormat(u"{00000000-0000-0000-0000-000000000000}").has_value());
    EXPECT_FALSE(FindWiaFormat(u"B96B3CAE-0728-11D3-9D7B-0000F81EF32E").has_value());
}

TEST(WiaPropertyLines, ValuesAsTheListingShowsThem) {
    EXPECT_EQ(Narrow(ItemFlagLines(0x1 | 0x4 | 0x10000)),
              "\tWiaItemTypeImage\n\tWiaItemTypeFolder\n\tWiaItemTypeVideo\n");
    EXPECT_EQ(Narrow(TymedLines(0x82)), "\tTYMED_CALLBACK\n\tTYMED_FILE\n");
    EXPECT_EQ(Narrow(DeviceTypeLine(0x00020001)), "\tCamera device\n");
    EXPECT_EQ(Narrow(DeviceTypeLine(0x00070000)), "");
    EXPECT_EQ(Narrow(DeviceKindName(0x00070000)), "<UNKNOWN>");
    EXPECT_EQ(Narrow(HardwareConfigLine(4)), "\tUSB device\n");
    EXPECT_EQ(Narrow(HardwareConfigLine(3)), "");
    EXPECT_EQ(Narrow(ConnectStatusLine(0)), "\tThe device is not connected\n");
    EXPECT_EQ(Narrow(DataTypeLine(5)), "\tWIA_DATA_COLOR_DITHER\n");
    EXPECT_EQ(Narrow(DataTypeLine(4)), "");
}

}  // namespace
