#include "applet/settings/dump_file_choice.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/u16.h"

namespace {

using namespace std::string_literals;

TEST(DumpFileFilters, ListsBothPatternsEachEndedAndTheListEndedOnceMore) {
    EXPECT_EQ(DumpFileFilters(u"Log", u"All"), u"Log (*.log)\0*.log\0All (*.*)\0*.*\0\0"s);
    // An empty translation still leaves both filters in their places.
    EXPECT_EQ(DumpFileFilters(u"", u""), u" (*.log)\0*.log\0 (*.*)\0*.*\0\0"s);
}

TEST(DumpFileFilters, ALongerListThanItsRoomIsRefused) {
    // "x (*.log)\0*.log\0" is 16 units, " (*.*)\0*.*\0" 11, and one more end.
    const std::u16string fitting(200 - 16 - 11 - 1 + 1, u'x');
    ASSERT_TRUE(DumpFileFilters(fitting, u""));
    EXPECT_EQ(DumpFileFilters(fitting, u"")->size(), 200U);
    EXPECT_FALSE(DumpFileFilters(fitting + u"x", u""));
    EXPECT_FALSE(DumpFileFilters(u"Log", u"All", 20));
}

TEST(DumpInitialFolder, IsTheCacheFolderWithoutItsLastName) {
    const struct {
        const char16_t* cacheFolder;
        const char16_t* initial;
    } cases[] = {
        {u"C:\\root\\Camfolio\\CAMFOLIO_CACHE", u"C:\\root\\Camfolio"},
        {u"C:\\root\\Camfolio\\CAMFOLIO_CACHE\\", u"C:\\root\\Camfolio"},
        {u"C:\\Camfolio", u"C:\\"},
        {u"\\\\server\\share\\Camfolio\\CAMFOLIO_CACHE", u"\\\\server\\share\\Camfolio"},
        {u"CAMFOLIO_CACHE", u""},
        {u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DumpInitialFolder(c.cacheFolder), c.initial) << Narrow(c.cacheFolder);
    }
}

}  // namespace
