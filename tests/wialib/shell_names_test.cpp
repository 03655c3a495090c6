#include "wialib/shell/shell_names.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/u16.h"

namespace {

TEST(ObjectIdParsingName, TurnsOAndUpToEightHexDigitsIntoTheBracedShellForm) {
    struct Case {
        const char16_t* name;
        const char* parsing;  // null: not an object id
    };
    const Case cases[] = {
        {u"o1F", "{0000001F-0000-0000-0000-000000000000}"},
        {u"o3A", "{0000003A-0000-0000-0000-000000000000}"},
        {u"o3a", "{0000003a-0000-0000-0000-000000000000}"},
        {u"o12345678", "{12345678-0000-0000-0000-000000000000}"},
        {u"o0", "{00000000-0000-0000-0000-000000000000}"},
        {u"o123456789", nullptr},  // nine digits
        {u"o", nullptr},
        {u"x12", nullptr},
        {u"O12", nullptr},
        {u"o1G", nullptr},
        {u"", nullptr},
    };
    for (const Case& c : cases) {
        const auto parsing = ObjectIdParsingName(c.name);
        if (c.parsing == nullptr) {
            EXPECT_FALSE(parsing.has_value()) << Narrow(c.name);
        } else {
            ASSERT_TRUE(parsing.has_value()) << Narrow(c.name);
            EXPECT_EQ(Narrow(*parsing), c.parsing);
        }
    }
}

TEST(IsBracedName, NeedsBothBracesAndSomethingBetween) {
    EXPECT_TRUE(IsBracedName(u"{0000001F-0000-0000-0000-000000000000}"));
    EXPECT_TRUE(IsBracedName(u"{x}"));
    EXPECT_FALSE(IsBracedName(u"{}"));
    EXPECT_FALSE(IsBracedName(u"{abc"));
    EXPECT_FALSE(IsBracedName(u"abc}"));
}

TEST(DeviceParsingName, IsTheKeyFromVistaOnAndDevidBeforeCutTo259Units) {
    EXPECT_EQ(Narrow(DeviceParsingName(u"\\\\?\\usb#vid_04a9", true)), "\\\\?\\usb#vid_04a9");
    EXPECT_EQ(Narrow(DeviceParsingName(u"{6BDD1FC6}\\0001", false)), "devid:{6BDD1FC6}\\0001:");
    const std::u16string longKey(300, u'k');
    EXPECT_EQ(DeviceParsingName(longKey, true).size(), 259U);
    EXPECT_EQ(DeviceParsingName(longKey, false).size(), 259U);
}

TEST(LookupDepth, StopsAtTheComputerFoldersChildrenWhenOnlyTheDeviceIsWanted) {
    EXPECT_EQ(LookupDepth(false, -1), 2);
    EXPECT_EQ(LookupDepth(false, 7), 2);
    EXPECT_EQ(LookupDepth(true, -1), kNoDepthLimit);
    EXPECT_EQ(LookupDepth(true, 4), 4);
}

}  // namespace
