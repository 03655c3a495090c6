#include "builder/convert/format_html.h"

#include <gtest/gtest.h>

#include <string>

#include "builder/convert/token_button_html.h"
#include "tests/builder/reported_html.h"

namespace {

TEST(FormatHtml, EveryTokenBecomesItsButtonAndComesBack) {
    struct Case {
        const char16_t* token;
        const char16_t* caption;
    };
    const Case cases[] = {
        {u"<Y4>", u"Year (Long)"},       {u"<M2>", u"Month (Long)"},
        {u"<D2>", u"Day (Long)"},        {u"<Y2>", u"Year (Short)"},
        {u"<M1>", u"Month (Short)"},     {u"<D1>", u"Day (Short)"},
        {u"<h2>", u"Hour (Long)"},       {u"<m2>", u"Minute (Long)"},
        {u"<s2>", u"Second (Long)"},     {u"<h1>", u"Hour (Short)"},
        {u"<m1>", u"Minute (Short)"},    {u"<s1>", u"Second (Short)"},
        {u"<AP>", u"AM / PM"},           {u"<DIR>", u"Directory separator"},
        {u"<X1>", u"Camera Name"},       {u"<X2>", u"Image Width"},
        {u"<X3>", u"Image Height"},      {u"<C4>", u"Counter [4]"},
        {u"<O>", u"Original name"},      {u"<O5-8>", u"Original name [5-8]"},
        {u"<P>", u"Original directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.token)));
        const std::u16string format = std::u16string(c.token) + u"<Fo>";
        const FormatHtml html = FormatToHtml(format);
        ASSERT_TRUE(html.ok);
        EXPECT_EQ(html.bodyHtml, TokenButtonHtml(c.token, c.caption));
        EXPECT_EQ(html.caseIndex, 0);
        EXPECT_EQ(HtmlToFormat(AsReported(html.bodyHtml), 0), format);
    }
}

TEST(FormatHtml, FormatsWithTextAndCaseComeBackUnchanged) {
    struct Case {
        const char16_t* format;
        int caseIndex;
    };
    const Case cases[] = {
        {u"<Y4>-<M2>-<D2>-<C4><Fo>", 0},
        {u"IMG <h2>.<m2>.<s2> <AP><Fl>", 1},
        {u"<P><DIR><X1>_<X2>x<X3>_<O1-3><Fu>", 2},
        {u"plain text only<Fo>", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.format)));
        const FormatHtml html = FormatToHtml(c.format);
        ASSERT_TRUE(html.ok);
        EXPECT_EQ(html.caseIndex, c.caseIndex);
        EXPECT_EQ(HtmlToFormat(AsReported(html.bodyHtml), html.caseIndex), c.format);
    }
    // The editor's text between the buttons is the format's own.
    EXPECT_EQ(FormatToHtml(u"<Y4>-<M2>-<D2>-<C4><Fo>").bodyHtml,
              YearLongButtonHtml() + u"-" + MonthLongButtonHtml() + u"-" + DayLongButtonHtml() +
                  u"-" + CounterButtonHtml(4));
}

TEST(FormatHtml, NumbersComeBackRewritten) {
    struct Case {
        const char16_t* format;
        const char16_t* caption;
        const char16_t* back;
    };
    const Case cases[] = {
        {u"<C><Fo>", u"Counter [0]", u"<C0><Fo>"},
        {u"<C04><Fo>", u"Counter [4]", u"<C4><Fo>"},
        {u"<O05-08><Fo>", u"Original name [5-8]", u"<O5-8><Fo>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.format)));
        const FormatHtml html = FormatToHtml(c.format);
        ASSERT_TRUE(html.ok);
        EXPECT_NE(html.bodyHtml.find(std::u16string(u">") + c.caption + u"</button>"),
                  std::u16string::npos);
        EXPECT_EQ(HtmlToFormat(AsReported(html.bodyHtml), 0), c.back);
    }
}

TEST(FormatHtml, AcceptsTheFormatAsTheCommandLineCarriesIt) {
    const FormatHtml plain = FormatToHtml(u"<Y4>x<Fu>");
    ASSERT_TRUE(plain.ok);
    for (const char16_t* format : {u"\"<Y4>x<Fu>\"", u"\\<Y4>x<Fu>", u"\"\\<Y4>x<Fu>\"",
                                   u"\"\"<Y4>x<Fu>\"", u" <Y4>x<Fu>\t"}) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(format)));
        const FormatHtml html = FormatToHtml(format);
        EXPECT_TRUE(html.ok);
        EXPECT_EQ(html.bodyHtml, plain.bodyHtml);
        EXPECT_EQ(html.caseIndex, 2);
    }
}

TEST(FormatHtml, RefusedFormatsGiveAnEmptyEditor) {
    for (const char16_t* format : {u"<Y4>", u"a?b<Fo>", u"\\\\<Y4><Fo>", u"a\"b<Fo>", u"", u"\"\"",
                                   u"<C4x><Fo>", u"<Y4><Q><M2><Fo>", u"<Fl><F>"}) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(format)));
        const FormatHtml html = FormatToHtml(format);
        EXPECT_FALSE(html.ok);
        EXPECT_EQ(html.bodyHtml, u"");
        EXPECT_EQ(html.caseIndex, 0);
    }
    // A case token alone is a valid, empty description.
    const FormatHtml caseOnly = FormatToHtml(u"<Fl>");
    EXPECT_TRUE(caseOnly.ok);
    EXPECT_EQ(caseOnly.bodyHtml, u"");
    EXPECT_EQ(caseOnly.caseIndex, 1);
}

TEST(FormatHtml, DescribesFormatsFarLongerThanAFileNameWhole) {
    for (const int tokens : {60, 200, 6000}) {
        SCOPED_TRACE(tokens);
        std::u16string format;
        std::u16string body;
        for (int i = 0; i < tokens; ++i) {
            format += u"<Y4>&";
            body += YearLongButtonHtml() + u"&amp;";
        }
        const FormatHtml html = FormatToHtml(format + u"<Fo>");
        ASSERT_TRUE(html.ok);
        EXPECT_EQ(html.bodyHtml, body);
        EXPECT_EQ(HtmlToFormat(AsReported(html.bodyHtml), 0), format + u"<Fo>");
    }
    // A description too long to hold is refused, never cut.
    const FormatHtml huge = FormatToHtml(std::u16string(std::size_t{1} << 18, u'&') + u"<Fo>");
    EXPECT_FALSE(huge.ok);
    EXPECT_EQ(huge.bodyHtml, u"");
}

TEST(FormatHtml, LiteralTextIsEscaped) {
    struct Case {
        const char16_t* format;
        const char16_t* body;
    };
    const Case cases[] = {
        {u"R&amp;D<Fo>", u"R&amp;amp;D"},
        {u"x&lt;y<Fo>", u"x&amp;lt;y"},
        {u"a&b<Y4>&#65;<Fo>", u"a&amp;b<Y4>&amp;#65;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.format)));
        const FormatHtml html = FormatToHtml(c.format);
        ASSERT_TRUE(html.ok);
        std::u16string body = c.body;
        const std::size_t token = body.find(u"<Y4>");
        if (token != std::u16string::npos) {
            body.replace(token, 4, YearLongButtonHtml());
        }
        EXPECT_EQ(html.bodyHtml, body);
        EXPECT_EQ(HtmlToFormat(AsReported(html.bodyHtml), 0), c.format);
    }
}

TEST(FormatHtml, ReadsTheBodyTheEditorReports) {
    const std::u16string year =
        u"<BUTTON contentEditable=false value=\"<Y4>\">Year (Long)</BUTTON>";
    const std::u16string month = u"<button value=\"<M2>\">Month (Long)</button>";
    struct Case {
        std::u16string body;
        int caseIndex;
        std::u16string format;
    };
    const Case cases[] = {
        // The empty editor, only in exactly this form.
        {u"<P>&nbsp;</P>", 2, u"<Fu>"},
        {u"<P>&nbsp;</P>", 0, u"<Fo>"},
        {u"", 1, u"<Fl>"},
        {u"<p>&nbsp;</p>", 0, u"\u00A0<Fo>"},
        // One paragraph around the body is dropped.
        {u"<P>a" + year + u"b</P>", 0, u"a<Y4>b<Fo>"},
        {u"<p>a" + year + u"b</p>", 0, u"a<Y4>b<Fo>"},
        {u"<P>ab</p>", 0, u"ab<Fo>"},
        // Typed text keeps its characters.
        {year + u"a&amp;b" + month, 0, u"<Y4>a&b<M2><Fo>"},
        {year + u"&lt;x&gt;&#65;" + month, 1, u"<Y4><x>A<M2><Fl>"},
        // A button gives only the token in its value; one without stands for nothing.
        {u"<button>x</button>a" + month, 0, u"a<M2><Fo>"},
        {u"<button value=\"Y4\">x</button>a" + month, 0, u"a<M2><Fo>"},
        {u"<button value='<Y4>'>x</button>a", 0, u"a<Fo>"},
        {u"<button value=\"<M2>\">x</button>" + month, 0, u"<M2><M2><Fo>"},
        // A button that is never closed ends the body.
        {u"a" + month + u"b<button value=\"<Y4>\">Year c", 0, u"a<M2>b<Fo>"},
        // Only the case list's three entries stand for a case token.
        {month, -1, u"<M2>"},
        {month, 3, u"<M2>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.body));
        EXPECT_EQ(HtmlToFormat(c.body, c.caseIndex), c.format);
    }
}

}  // namespace
