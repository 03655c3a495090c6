#include "applet/ui/browser_command.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tests/support/u16.h"

namespace {

struct Case {
    const char16_t* command;
    const char16_t* expected;
};

TEST(BrowserCommandLine, PutsTheUrlInPlaceOfTheFirstMarkerOrAppendsIt) {
    const Case cases[] = {
        {u"browser.exe \"%1\"", u"browser.exe \"http://www.camfolio.example\""},
        {u"browser.exe -url \"%1\" -tab %1",
         u"browser.exe -url \"http://www.camfolio.example\" -tab %1"},
        {u"browser.exe", u"browser.exe http://www.camfolio.example"},
        {u"browser.exe -nohome", u"browser.exe -nohome http://www.camfolio.example"},
        {u"", u" http://www.camfolio.example"},
    };
    for (const Case& c : cases) {
        std::array<char16_t, 520> line{};
        ASSERT_TRUE(BuildBrowserCommandLine(c.command, u"http://www.camfolio.example", line.data(),
                                            line.size()));
        EXPECT_EQ(std::u16string(line.data()), c.expected) << Narrow(c.command);
    }
}

TEST(BrowserCommandLine, IsCutToItsBound) {
    const std::u16string longCommand(600, u'x');
    std::array<char16_t, 520> line{};
    line.fill(u'?');
    ASSERT_TRUE(
        BuildBrowserCommandLine(longCommand + u" %1", u"http://h", line.data(), line.size()));
    EXPECT_EQ(std::u16string(line.data()), std::u16string(519, u'x'));
    EXPECT_FALSE(BuildBrowserCommandLine(u"b %1", u"u", line.data(), 0));
}

}  // namespace
