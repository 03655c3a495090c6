// "camfolio-tool settings" against Wine's real registry.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "config/mapper_contract.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tools/camfolio-tool/tool.h"

namespace {

int Tool(std::vector<std::u16string> args, std::string* out = nullptr) {
    std::ostringstream o;
    std::ostringstream e;
    const int code = RunTool(args, o, e);
    if (out != nullptr) {
        *out = o.str();
    }
    return code;
}

TEST(SettingsCommand, PrintsWhatTheAppletReadsAndWritesThroughTheAccessors) {
    RegistrySandbox sandbox;
    std::string out;
    ASSERT_EQ(Tool({u"settings"}, &out), 0);
    EXPECT_NE(out.find("CacheSize=100\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Flags=0x00000002\n"), std::string::npos) << out;
    EXPECT_NE(out.find("FormatString=<Y4>-<M2>-<D2>-<C4><Fo>\n"), std::string::npos) << out;

    ASSERT_EQ(Tool({u"settings", u"set", u"CacheSize", u"50"}), 0);
    ASSERT_EQ(Tool({u"settings", u"set", u"Flags", u"0x3"}), 0);
    ASSERT_EQ(Tool({u"settings"}, &out), 0);
    EXPECT_NE(out.find("CacheSize=100\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Flags=0x00000003\n"), std::string::npos) << out;
    EXPECT_EQ(sandbox.Settings().ReadDword(contract::kCacheSize), 50u);
}

TEST(SettingsCommand, RefusesUnknownNamesAndBadNumbers) {
    RegistrySandbox sandbox;
    EXPECT_EQ(Tool({u"settings", u"set", u"Colour", u"blue"}), 2);
    EXPECT_EQ(Tool({u"settings", u"set", u"CacheSize", u"lots"}), 2);
    EXPECT_EQ(Tool({u"settings", u"set", u"Flags", u"0x100000000"}), 2);
    EXPECT_EQ(Tool({u"settings", u"set", u"CacheSize"}), 2);
    EXPECT_FALSE(sandbox.Settings().HasValue(contract::kCacheSize));
}

TEST(ProfilesCommand, ListsTheProfilesAsLoaded) {
    RegistrySandbox sandbox;
    const RegKey camera = sandbox.Settings(u"Profiles\\Holiday");
    camera.WriteString(contract::kAlias, u"  Holiday cam  ");
    camera.WriteString(contract::kDriveLetter, u"e");
    camera.WriteDword(contract::kAutoMap, 1);
    camera.WriteDword(contract::kIfDriveLetterUnavailable, 0x00010002);
    camera.WriteString(contract::kFormatString, u"<Y4><Fl>");
    std::string out;
    ASSERT_EQ(Tool({u"profiles"}, &out), 0);
    EXPECT_EQ(out,
              "name=(default)\talias=\tserial=\tletter=\tletter2=\tautomap=0\tmulticard=0"
              "\tunavailable=ask\tformat=<Y4>-<M2>-<D2>-<C4><Fo>\n"
              "name=Holiday\talias=Holiday cam\tserial=\tletter=e\tletter2=\tautomap=1"
              "\tmulticard=0\tunavailable=last\tformat=<Y4><Fl>\n");
    EXPECT_EQ(Tool({u"profiles", u"extra"}), 2);
}

}  // namespace
