#include "builder/convert/token_button_html.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/common/catalogue_fixture.h"

namespace {

TEST(TokenButtonHtml, WrapsTokenAndCaptionAsTheEditorExpects) {
    EXPECT_EQ(TokenButtonHtml(u"<Y4>", u"Year (Long)"),
              u"<button contenteditable=false onresizestart='return false;' value='<Y4>'>"
              u"Year (Long)</button>");
    EXPECT_EQ(TokenButtonHtml(u"", u""),
              u"<button contenteditable=false onresizestart='return false;' value=''></button>");
}

// The English captions of every token are checked with the conversions
// (format_html_test.cpp); here the translated ones.
TEST_F(CatalogueTest, ButtonCaptionsFollowTheLoadedTranslation) {
    Translate({u"32=lang", u"33=kurz", u"35=Jahr", u"40=Sekunde", u"44=Z\u00e4hler",
               u"72=Verzeichnistrenner", u"162=Originalname"});
    EXPECT_EQ(YearLongButtonHtml(), TokenButtonHtml(u"<Y4>", u"Jahr (lang)"));
    EXPECT_EQ(SecondShortButtonHtml(), TokenButtonHtml(u"<s1>", u"Sekunde (kurz)"));
    // Untranslated pieces fall back to English.
    EXPECT_EQ(MonthShortButtonHtml(), TokenButtonHtml(u"<M1>", u"Month (kurz)"));
    EXPECT_EQ(CameraNameButtonHtml(), TokenButtonHtml(u"<X1>", u"Camera Name"));
    EXPECT_EQ(DirectorySeparatorButtonHtml(), TokenButtonHtml(u"<DIR>", u"Verzeichnistrenner"));
    EXPECT_EQ(CounterButtonHtml(12), TokenButtonHtml(u"<C12>", u"Z\u00e4hler [12]"));
    EXPECT_EQ(OriginalNameRangeButtonHtml(5, 8), TokenButtonHtml(u"<O5-8>", u"Originalname [5-8]"));
    EXPECT_EQ(AmPmButtonHtml(), TokenButtonHtml(u"<AP>", u"AM / PM"));
}

TEST(TokenButtonHtml, TheLargestNumbersFitWhole) {
    EXPECT_EQ(CounterButtonHtml(2147483647),
              TokenButtonHtml(u"<C2147483647>", u"Counter [2147483647]"));
    EXPECT_EQ(
        OriginalNameRangeButtonHtml(2147483647, -2147483647 - 1),
        TokenButtonHtml(u"<O2147483647--2147483648>", u"Original name [2147483647--2147483648]"));
}

}  // namespace
