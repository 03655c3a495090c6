#include "builder/app/builder_arguments.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/u16.h"

namespace {

BuilderArguments Parse(std::vector<std::u16string_view> args) {
    return ParseBuilderArguments(args);
}

TEST(ParseBuilderArguments, ReadsEveryFormOfTheSwitchAndTheHandle) {
    struct Case {
        std::u16string_view flag;
        std::u16string_view handle;
        std::uintptr_t expected;
    };
    for (const Case& c : {Case{u"/h", u"0001A2B4", 0x1A2B4}, Case{u"-h", u"0001A2B4", 0x1A2B4},
                          Case{u"/H", u"0001a2b4", 0x1A2B4}, Case{u"-H", u"1a2B4", 0x1A2B4},
                          Case{u"/help", u"00000010", 0x10}}) {
        const BuilderArguments parsed = Parse({c.flag, c.handle, u"<O><Fo>"});
        EXPECT_EQ(parsed.target, std::optional<std::uintptr_t>(c.expected))
            << Narrow(c.flag) << " " << Narrow(c.handle);
        EXPECT_EQ(parsed.initialFormat, u"<O><Fo>");
    }
}

TEST(ParseBuilderArguments, NoTargetWithoutTheSwitchOrItsHandle) {
    for (const std::vector<std::u16string_view>& args :
         std::vector<std::vector<std::u16string_view>>{{},
                                                       {u"/h"},
                                                       {u"/x", u"0001A2B4"},
                                                       {u"h", u"0001A2B4"},
                                                       {u"/", u"0001A2B4"},
                                                       {u"0001A2B4", u"/h"},
                                                       {u"/h", u"window"},
                                                       {u"/h", u""}}) {
        EXPECT_EQ(Parse(args).target, std::nullopt) << args.size() << " arguments";
    }
}

TEST(ParseBuilderArguments, TheThirdArgumentIsTheFormatWhateverTheFirstTwo) {
    EXPECT_EQ(Parse({u"/h", u"10"}).initialFormat, u"");
    EXPECT_EQ(Parse({u"/q", u"zz", u"<Y4><Fo>"}).initialFormat, u"<Y4><Fo>");
    const BuilderArguments parsed = Parse({u"/h", u"10", u"\"<Y4><Fo>\"", u"ignored"});
    EXPECT_EQ(parsed.target, std::optional<std::uintptr_t>(0x10));
    EXPECT_EQ(parsed.initialFormat, u"\"<Y4><Fo>\"");
}

TEST(ParseHexHandle, ReadsAsPercentXDoes) {
    struct Case {
        std::u16string_view text;
        std::optional<std::uintptr_t> expected;
    };
    for (const Case& c : {
             Case{u"00000000", 0},
             Case{u"FFFFFFFF", 0xFFFFFFFF},
             Case{u"ffffffff", 0xFFFFFFFF},
             Case{u"  1f", 0x1F},
             Case{u"0x1F", 0x1F},
             Case{u"0X1f", 0x1F},
             Case{u"12zz", 0x12},  // stops at the first other character
             Case{u"0x", 0},       // the 0 alone is the number
             Case{u"x12", std::nullopt},
             Case{u"-12", std::nullopt},
             Case{u"", std::nullopt},
             Case{u" ", std::nullopt},
         }) {
        EXPECT_EQ(ParseHexHandle(c.text), c.expected) << Narrow(c.text);
    }
}

TEST(ParseHexHandle, RefusesANumberLargerThanAHandle) {
    const std::u16string widest(sizeof(std::uintptr_t) * 2, u'F');
    EXPECT_EQ(ParseHexHandle(widest), std::optional<std::uintptr_t>(~std::uintptr_t{0}));
    EXPECT_EQ(ParseHexHandle(u"1" + widest), std::nullopt);
    // Leading zeros do not count.
    EXPECT_EQ(ParseHexHandle(u"0000" + widest), std::optional<std::uintptr_t>(~std::uintptr_t{0}));
}

}  // namespace
