#include "diag/text/text_utils.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/u16.h"

namespace {

TEST(TextUtils, StripAndTrim) {
    char16_t text[] = u" \t a b \t ";
    StripLeading(text, u' ', u'\t');
    EXPECT_EQ(Narrow(text), "a b \t ");
    TrimTrailing(text, u' ', u'\t');
    EXPECT_EQ(Narrow(text), "a b");
    char narrow[] = "\\path\\\\";
    TrimTrailing(narrow, '\\', '/');
    EXPECT_STREQ(narrow, "\\path");
    char16_t all[] = u"   ";
    StripLeading(all, u' ', u' ');
    EXPECT_EQ(Narrow(all), "");
}

TEST(TextUtils, TrimBlanksKeepsInnerBlanksAndOtherSpace) {
    EXPECT_EQ(Narrow(TrimBlanks(u" \t a b \t ")), "a b");
    EXPECT_EQ(Narrow(TrimBlanks(u"\na\n")), "\na\n");
    EXPECT_TRUE(TrimBlanks(u" \t ").empty());
}

TEST(TextUtils, EqualsNoCaseFoldsAsciiLettersOnly) {
    EXPECT_TRUE(EqualsNoCase(u"Computer", u"cOMPUTER"));
    EXPECT_TRUE(EqualsNoCase("WWW.Example", "www.example"));
    EXPECT_FALSE(EqualsNoCase(u"abc", u"abcd"));
    EXPECT_FALSE(EqualsNoCase(u"\u00C4", u"\u00E4"));
    EXPECT_TRUE(EqualsNoCase("", ""));
}

TEST(TextUtils, FindNoCase) {
    EXPECT_EQ(FindNoCase(u"<Y4><dir><M2>", u"<DIR>"), 4);
    EXPECT_EQ(FindNoCase(u"abc", u""), 0);
    EXPECT_EQ(FindNoCase(u"abc", u"abcd"), -1);
    EXPECT_EQ(FindNoCase("C:\\Temp", "temp"), 3);
    EXPECT_EQ(FindNoCase("", "a"), -1);
}

TEST(TextUtils, ReplaceFirstKeepsTheTailWithinCapacity) {
    struct Case {
        const char16_t* before;
        std::size_t capacity;
        const char16_t* what;
        const char16_t* with;
        bool replaced;
        const char* after;
    };
    const Case cases[] = {
        {u"a<DIR><DIR>b", 32, u"<DIR><DIR>", u"<DIR>", true, "a<DIR>b"},
        {u"a..b..c", 32, u"..", u".", true, "a.b..c"},
        {u"abc", 32, u"x", u"y", false, "abc"},
        {u"abXcd", 8, u"X", u"1234", true, "ab1234c"},
        {u"abXcd", 6, u"X", u"1234", true, "ab123"},
        {u"Xab", 32, u"X", u"", true, "ab"},
    };
    for (const Case& c : cases) {
        char16_t buffer[32] = {};
        std::u16string(c.before).copy(buffer, 31);
        EXPECT_EQ(ReplaceFirst(buffer, c.capacity, c.what, c.with), c.replaced) << c.after;
        EXPECT_EQ(Narrow(buffer), c.after);
        for (std::size_t i = c.capacity; i < 32; ++i) {
            EXPECT_EQ(buffer[i], u'\0') << "wrote past capacity for " << c.after;
        }
    }
}

}  // namespace
