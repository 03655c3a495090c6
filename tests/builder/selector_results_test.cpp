#include "builder/app/selector_results.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "builder/convert/token_button_html.h"

namespace {

TEST(RangeSelectorText, CutsBeforeTheLastDot) {
    EXPECT_EQ(RangeSelectorText(u"DSC_0057.JPG"), std::optional<std::u16string>(u"DSC_0057"));
    EXPECT_EQ(RangeSelectorText(u"a.b.c"), std::optional<std::u16string>(u"a.b"));
    EXPECT_EQ(RangeSelectorText(u".JPG"), std::optional<std::u16string>(u""));
    EXPECT_EQ(RangeSelectorText(u"DSC_0057"), std::nullopt);
}

TEST(RangeTokenButtonHtml, TurnsTheEditSelectionIntoARangeOrNothing) {
    struct Case {
        int startOffset;
        int endOffset;
        std::optional<std::u16string> expected;
    };
    // In "DSC_0057".
    for (const Case& c : {
             Case{4, 8, OriginalNameRangeButtonHtml(5, 8)},  // "0057"
             Case{0, 8, OriginalNameRangeButtonHtml(1, 8)},  // everything
             Case{7, 8, OriginalNameRangeButtonHtml(8, 8)},  // the last character
             Case{0, 1, OriginalNameRangeButtonHtml(1, 1)},  // the first character
             Case{4, 4, std::nullopt},                       // caret between "DSC_" and "0057"
             Case{0, 0, std::nullopt},                       // caret at the start
             Case{8, 8, std::nullopt},                       // caret at the end
         }) {
        EXPECT_EQ(RangeTokenButtonHtml(RangeSelectionFromOffsets(c.startOffset, c.endOffset)),
                  c.expected)
            << c.startOffset << ".." << c.endOffset;
    }
}

TEST(CounterTokenButtonHtml, TakesTheDigitsUnlessNone) {
    EXPECT_EQ(CounterTokenButtonHtml(4), CounterButtonHtml(4));
    EXPECT_EQ(CounterTokenButtonHtml(10), CounterButtonHtml(10));
    EXPECT_EQ(CounterTokenButtonHtml(0), std::nullopt);
    EXPECT_NE(CounterButtonHtml(4).find(u"value='<C4>'>Counter [4]<"), std::u16string::npos);
}

}  // namespace
