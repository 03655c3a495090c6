#include "builder/app/builder_arguments.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "applet/profiles/builder_command.h"
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

TEST(ParseHexHandle, RefusesANumberWiderThanAHandlesSignificantBits) {
    EXPECT_EQ(ParseHexHandle(u"FFFFFFFF"), std::optional<std::uint32_t>(0xFFFFFFFF));
    EXPECT_EQ(ParseHexHandle(u"1FFFFFFFF"), std::nullopt);
    EXPECT_EQ(ParseHexHandle(u"FFFFFFFFFFFF01B2"), std::nullopt);
    // Leading zeros do not count.
    EXPECT_EQ(ParseHexHandle(u"0000FFFFFFFF"), std::optional<std::uint32_t>(0xFFFFFFFF));
}

// The applet, a 64-bit program, writes its window's handle into the command
// line; the builder, a 32-bit program as it ships, reads it back. Handles are
// 32-bit numbers widened with their sign, so every one comes back whole, in
// either build.
TEST(ParseBuilderArguments, TheHandleTheAppletWritesComesBackWhole) {
    for (const std::intptr_t handle :
         {std::intptr_t{0x10064}, std::intptr_t{0x7FFFFFFF}, std::intptr_t{-0x7FFFFFFF - 1},
          std::intptr_t{-0xFE4E} /* FFFF01B2 */, std::intptr_t{-1}}) {
        const auto window = static_cast<std::uint32_t>(static_cast<std::uintptr_t>(handle));
        const std::optional<std::u16string> line =
            BuilderCommandLine(u"CamfolioFmt.exe", window, u"<O><Fo>");
        ASSERT_TRUE(line.has_value());
        std::vector<std::u16string_view> args;
        for (std::size_t at = line->find(u' '); at != std::u16string::npos;) {
            const std::size_t end = line->find(u' ', at + 1);
            args.push_back(std::u16string_view(*line).substr(at + 1, end - at - 1));
            at = end;
        }
        EXPECT_EQ(ParseBuilderArguments(args).target,
                  std::optional<std::uintptr_t>(static_cast<std::uintptr_t>(handle)))
            << Narrow(*line);
    }
}

}  // namespace
