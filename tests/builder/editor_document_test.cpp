#include "builder/editor/editor_document.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "builder/convert/format_html.h"
#include "builder/convert/token_button_html.h"
#include "builder/editor/editor_html.h"
#include "builder/editor/editor_layout.h"

namespace {

// A button as the editor reports it: the value attribute in double quotes.
std::u16string Reported(std::u16string_view token, std::u16string_view caption) {
    return u"<button contenteditable=false onresizestart='return false;' value=\"" +
           std::u16string(token) + u"\">" + std::u16string(caption) + u"</button>";
}

CEditorDocument Loaded(std::u16string_view body) {
    CEditorDocument document;
    document.LoadBody(body);
    return document;
}

void Type(CEditorDocument& document, std::u16string_view text) {
    for (char16_t unit : text) {
        document.TypeCharacter(unit);
    }
}

TEST(EditorDocument, FormatsComeBackThroughTheEditor) {
    struct Case {
        const char16_t* format;
        const char16_t* expected;  // after the engine's rewriting
        int caseIndex;
    };
    const Case cases[] = {
        {u"<Y4>-<M2>-<D2>-<C4><Fo>", u"<Y4>-<M2>-<D2>-<C4><Fo>", 0},
        {u"<Y4>a&b<M2><Fo>", u"<Y4>a&b<M2><Fo>", 0},
        {u"<P><DIR><Y2><M1><D1> <h1><m1><s1><AP><Fu>", u"<P><DIR><Y2><M1><D1> <h1><m1><s1><AP><Fu>",
         2},
        {u"<X1>_<X2>x<X3>_<O>_<O05-08>_<C><Fl>", u"<X1>_<X2>x<X3>_<O>_<O5-8>_<C0><Fl>", 1},
        {u"\"caf\u00E9 \u00A0<h2><m2><s2><Fo>\"", u"caf\u00E9 \u00A0<h2><m2><s2><Fo>", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.format)));
        const FormatHtml html = FormatToHtml(c.format);
        ASSERT_TRUE(html.ok);
        CEditorDocument document = Loaded(html.bodyHtml);
        EXPECT_EQ(HtmlToFormat(document.BodyHtml(), c.caseIndex), c.expected);
    }
}

TEST(EditorDocument, AFormatSurvivesAnyNumberOfRoundTrips) {
    const char16_t* const formats[] = {
        u"R&amp;D<Fo>",
        u"x&lt;y<Fo>",
        u"&&amp;&amp;amp;<Y4>&<Fl>",
        u"&nbsp;&#65;<Fu>",
        u"a&b\u00A0&gt;<C4><Fo>",
        u"<P>&<DIR>&quot;<O1-3><Fo>",
    };
    for (const char16_t* format : formats) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(format)));
        std::u16string current = format;
        for (int round = 1; round <= 3; ++round) {
            const FormatHtml html = FormatToHtml(current);
            ASSERT_TRUE(html.ok) << "round " << round;
            current = HtmlToFormat(Loaded(html.bodyHtml).BodyHtml(), html.caseIndex);
            EXPECT_EQ(current, format) << "round " << round;
        }
    }
}

TEST(EditorDocument, ReadsButtonsAndTextAndReportsThemAsABrowserDoes) {
    const CEditorDocument document = Loaded(TokenButtonHtml(u"<Y4>", u"Year (Long)") + u"-a&amp;b" +
                                            TokenButtonHtml(u"<C10>", u"Counter [10]"));
    const std::vector<EditorItem> expected = {
        {u"Year (Long)", u"<Y4>"},   {u"-", {}}, {u"a", {}}, {u"&", {}}, {u"b", {}},
        {u"Counter [10]", u"<C10>"},
    };
    EXPECT_EQ(document.Items(), expected);
    EXPECT_EQ(document.BodyHtml(), Reported(u"<Y4>", u"Year (Long)") + u"-a&amp;b" +
                                       Reported(u"<C10>", u"Counter [10]"));
}

TEST(EditorDocument, ReadsWhatItIsGivenSafely) {
    struct Case {
        std::u16string html;
        std::u16string reported;
    };
    const Case cases[] = {
        {u"<P>&nbsp;</P>", u"<P>&nbsp;</P>"},
        {u"<p>&nbsp;</p>", u"<P>&nbsp;</P>"},
        {u"", u"<P>&nbsp;</P>"},
        {u"<P>abc</P>", u"abc"},
        {u"&nbsp;x&lt;&gt;&amp;&#65;&#x42;&bogus;", u"&nbsp;x&lt;&gt;&amp;AB&amp;bogus;"},
        {u"<BUTTON contentEditable=false VALUE=\"<Y4>\">Y</BUTTON>", Reported(u"<Y4>", u"Y")},
        // Unquoted, the tag ends inside the token.
        {u"<button value = <Y4> >Y</button>", u"<P>&nbsp;</P>"},
        {u"<b>bo</b><img src=x onerror='a>b'>ld", u"bold"},
        {u"<button>no value</button>z", u"z"},
        {u"<button value='Y4'>not a token</button>z", u"z"},
        {u"<button value='<Y4>\" onclick=\"x'>quote</button>z", u"z"},
        {u"<button value='<Y4>'><i>It</i> &amp; me</button>", Reported(u"<Y4>", u"It &amp; me")},
        {u"<buttonx value='<Y4>'>c</buttonx>", u"c"},
        {u"<!-- <button value='<Y4>'>Y</button> -->d", u"d"},
        {u"ab<button value='<Y4>'>never closed", u"ab"},
        {u"ab<button value='<Y4>", u"ab"},
        {u"ab<!-- open", u"ab"},
        {u"a < b <", u"a &lt; b &lt;"},
        {u"tab\there\r\nnext", u"tabherenext"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.html));
        EXPECT_EQ(Loaded(c.html).BodyHtml(), c.reported);
    }
}

TEST(EditorDocument, KeepsACodePointWhole) {
    CEditorDocument document = Loaded(u"a&#128512;b");
    ASSERT_EQ(document.Items().size(), 3u);
    EXPECT_EQ(document.Items()[1].text, u"\U0001F600");

    document.SetCaret(2, false);
    document.Backspace();
    EXPECT_EQ(document.BodyHtml(), u"ab");

    Type(document, u"\U0001F600");
    EXPECT_EQ(document.Items().size(), 3u);
    EXPECT_EQ(document.BodyHtml(), u"a\U0001F600b");
}

TEST(EditorDocument, TypingReplacesTheSelectionAndIgnoresControlCharacters) {
    CEditorDocument document;
    Type(document, u"abc\b\r\x1B\x7F");
    EXPECT_EQ(document.BodyHtml(), u"abc");
    EXPECT_EQ(document.Caret(), 3u);

    document.MoveLeft(false);
    document.MoveLeft(true);
    document.MoveLeft(true);
    EXPECT_EQ(document.SelectionStart(), 0u);
    EXPECT_EQ(document.SelectionEnd(), 2u);
    Type(document, u"X");
    EXPECT_EQ(document.BodyHtml(), u"Xc");
    EXPECT_EQ(document.Caret(), 1u);
    EXPECT_FALSE(document.HasSelection());
}

TEST(EditorDocument, BackspaceAndDeleteTakeATokenWhole) {
    const std::u16string body = u"a" + TokenButtonHtml(u"<O5-8>", u"Original name [5-8]") + u"b";
    CEditorDocument document = Loaded(body);
    document.SetCaret(2, false);
    document.Backspace();
    EXPECT_EQ(document.BodyHtml(), u"ab");
    EXPECT_EQ(document.Caret(), 1u);

    document = Loaded(body);
    document.SetCaret(1, false);
    document.Delete();
    EXPECT_EQ(document.BodyHtml(), u"ab");
    EXPECT_EQ(document.Caret(), 1u);

    document.MoveEnd(false);
    document.Delete();
    document.MoveHome(false);
    document.Backspace();
    EXPECT_EQ(document.BodyHtml(), u"ab");
}

TEST(EditorDocument, DeletesTheSelectionWithEitherKey) {
    for (const bool backspace : {true, false}) {
        CEditorDocument document = Loaded(u"abc" + TokenButtonHtml(u"<Y4>", u"Y") + u"de");
        document.SetCaret(1, false);
        document.SetCaret(5, true);
        backspace ? document.Backspace() : document.Delete();
        EXPECT_EQ(document.BodyHtml(), u"ae");
        EXPECT_EQ(document.Caret(), 1u);
        EXPECT_FALSE(document.HasSelection());
    }
}

TEST(EditorDocument, MovesTheCaretAndGrowsTheSelection) {
    CEditorDocument document = Loaded(u"abcd");
    document.MoveHome(false);
    document.MoveRight(true);
    document.MoveRight(true);
    EXPECT_EQ(document.Anchor(), 0u);
    EXPECT_EQ(document.Caret(), 2u);

    // Without Shift a selection collapses to the edge the arrow points to.
    document.MoveLeft(false);
    EXPECT_EQ(document.Caret(), 0u);
    EXPECT_FALSE(document.HasSelection());
    document.SetCaret(3, true);
    document.MoveRight(false);
    EXPECT_EQ(document.Caret(), 3u);

    document.MoveEnd(true);
    document.MoveRight(true);
    EXPECT_EQ(document.Caret(), 4u);
    EXPECT_EQ(document.SelectionStart(), 3u);
    document.MoveHome(true);
    EXPECT_EQ(document.SelectionEnd(), 3u);
    document.MoveLeft(true);
    EXPECT_EQ(document.Caret(), 0u);

    document.SetCaret(99, false);
    EXPECT_EQ(document.Caret(), 4u);
    document.SelectAll();
    EXPECT_EQ(document.SelectionStart(), 0u);
    EXPECT_EQ(document.SelectionEnd(), 4u);
}

TEST(EditorDocument, InsertsATokenForTheStartFirstHoweverLongTheText) {
    const std::u16string directory = TokenButtonHtml(u"<P>", u"Original directory");
    CEditorDocument document = Loaded(u"abc" + TokenButtonHtml(u"<Y4>", u"Y"));
    document.MoveEnd(false);
    document.InsertHtml(directory, true);
    EXPECT_EQ(document.BodyHtml(),
              Reported(u"<P>", u"Original directory") + u"abc" + Reported(u"<Y4>", u"Y"));
    EXPECT_EQ(document.Caret(), 1u);

    // Far past a hundred items, and over a selection it leaves alone.
    document = Loaded(std::u16string(150, u'x') + TokenButtonHtml(u"<Y4>", u"Y"));
    document.SetCaret(140, false);
    document.SetCaret(151, true);
    document.InsertHtml(directory, true);
    ASSERT_EQ(document.Items().size(), 152u);
    EXPECT_EQ(document.Items()[0].token, u"<P>");
    EXPECT_EQ(HtmlToFormat(document.BodyHtml(), 0),
              u"<P>" + std::u16string(150, u'x') + u"<Y4><Fo>");
}

TEST(EditorDocument, InsertsATokenOverTheSelection) {
    CEditorDocument document = Loaded(u"abc");
    document.SetCaret(1, false);
    document.SetCaret(2, true);
    document.InsertHtml(TokenButtonHtml(u"<C4>", u"Counter [4]"), false);
    EXPECT_EQ(document.BodyHtml(), u"a" + Reported(u"<C4>", u"Counter [4]") + u"c");
    EXPECT_EQ(document.Caret(), 2u);
}

TEST(EditorDocument, ChangeTestComparesWithThePreviousTest) {
    CEditorDocument document;
    EXPECT_TRUE(document.HasChanged());
    EXPECT_FALSE(document.HasChanged());
    Type(document, u"a");
    EXPECT_TRUE(document.HasChanged());
    Type(document, u"b");
    document.Backspace();
    EXPECT_FALSE(document.HasChanged());
}

TEST(EditorDocument, LoadsTheBodyOfAComposedDocument) {
    const std::u16string body = u"x" + TokenButtonHtml(u"<Y4>", u"Y");
    const std::u16string composed = ComposeEditorDocument(body);
    EXPECT_TRUE(composed.starts_with(kEditorDocumentHeader));
    EXPECT_TRUE(composed.ends_with(u"</body></html>"));

    CEditorDocument document;
    ASSERT_TRUE(document.LoadDocument(composed));
    EXPECT_EQ(document.BodyHtml(), u"x" + Reported(u"<Y4>", u"Y"));
    EXPECT_EQ(EditorDocumentBody(u"<BODY contenteditable=true>a</body>b</BODY></html>"),
              u"a</body>b");

    EXPECT_FALSE(document.LoadDocument(u"<html><body>lost</body></html>"));
    EXPECT_EQ(document.BodyHtml(), u"x" + Reported(u"<Y4>", u"Y"));
}

// Items from text where "#" stands for a token.
std::vector<EditorItem> ItemsOf(std::u16string_view text) {
    std::vector<EditorItem> items;
    for (char16_t c : text) {
        items.push_back(c == u'#' ? EditorItem{u"T", u"<Y4>"}
                                  : EditorItem{std::u16string(1, c), {}});
    }
    return items;
}

struct Placed {
    int left;
    int line;
    bool operator==(const Placed&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Placed& placed) {
        return out << "(" << placed.left << ", line " << placed.line << ")";
    }
};

std::vector<Placed> PlacesOf(const EditorLayout& layout) {
    std::vector<Placed> places;
    for (const ItemBox& box : layout.boxes) {
        places.push_back({box.left, box.line});
    }
    return places;
}

TEST(EditorLayout, WrapsAtSpacesAndTokensAndBreaksWordsOnlyWhenTheyCannotFit) {
    struct Case {
        const char16_t* text;
        int width;
        std::vector<Placed> places;
    };
    // Characters are 10 wide, tokens 30.
    const Case cases[] = {
        {u"ab cd", 45, {{0, 0}, {10, 0}, {20, 0}, {0, 1}, {10, 1}}},
        {u"ab cd", 50, {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}}},
        {u"a##", 65, {{0, 0}, {10, 0}, {0, 1}}},
        {u"abcdef", 35, {{0, 0}, {10, 0}, {20, 0}, {0, 1}, {10, 1}, {20, 1}}},
        {u"abc  d", 30, {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}, {0, 1}}},
        {u"#", 10, {{0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
        const std::vector<EditorItem> items = ItemsOf(c.text);
        std::vector<int> widths;
        widths.reserve(items.size());
        for (const EditorItem& item : items) {
            widths.push_back(item.IsToken() ? 30 : 10);
        }
        const EditorLayout layout = LayOutItems(items, widths, c.width);
        EXPECT_EQ(PlacesOf(layout), c.places);
        EXPECT_EQ(layout.lineCount, c.places.back().line + 1);
    }
}

TEST(EditorLayout, FindsTheCaretForAPointAndThePointForTheCaret) {
    // "ab cd" wrapped after the space: line 0 "ab ", line 1 "cd".
    const std::vector<EditorItem> items = ItemsOf(u"ab cd");
    const std::vector<int> widths(items.size(), 10);
    const EditorLayout layout = LayOutItems(items, widths, 45);
    ASSERT_EQ(layout.lineCount, 2);

    struct Case {
        int x;
        int line;
        std::size_t index;
    };
    const Case cases[] = {
        {-20, 0, 0},  // left of the first item
        {4, 0, 0},   {6, 0, 1},   {14, 0, 1},
        {90, 0, 2},  // past a wrapped line: before its closing space
        {90, 1, 5},  {-5, -3, 0}, {12, 7, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "x " << c.x << " line " << c.line);
        EXPECT_EQ(CaretIndexAt(layout, c.x, c.line), c.index);
    }

    EXPECT_EQ(CaretPlaceOf(layout, 1).x, 10);
    EXPECT_EQ(CaretPlaceOf(layout, 3).line, 1);
    EXPECT_EQ(CaretPlaceOf(layout, 5).x, 20);
    EXPECT_EQ(CaretPlaceOf(layout, 5).line, 1);
    EXPECT_EQ(CaretPlaceOf(EditorLayout{}, 0).x, 0);
    EXPECT_EQ(CaretIndexAt(EditorLayout{}, 50, 2), 0u);
}

}  // namespace
