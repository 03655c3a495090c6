#include "builder/convert/html_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char16_t* html;
    const char16_t* text;
};

void ExpectTexts(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(HtmlToText(c.html), c.text) << testing::PrintToString(std::u16string(c.html));
    }
}

TEST(HtmlToText, DecodesReferences) {
    ExpectTexts({
        {u"a&amp;b", u"a&b"},
        {u"&lt;&gt;&quot;&#39;&apos;", u"<>\"''"},
        {u"x&nbsp;y", u"x\u00A0y"},
        {u"&#65;&#x42;&#X43;&#x20ac;&#8364;", u"ABC\u20AC\u20AC"},
        {u"&#0065;&#x0000041;", u"AA"},
        {u"&#128512;&#x10FFFF;", u"\U0001F600\U0010FFFF"},
        {u"&amp;amp;", u"&amp;"},
    });
}

TEST(HtmlToText, LeavesInvalidReferencesAsWritten) {
    ExpectTexts({
        {u"&", u"&"},
        {u"a & b", u"a & b"},
        {u"&amp", u"&amp"},
        {u"&amp b", u"&amp b"},
        {u"&;", u"&;"},
        {u"&AMP;", u"&AMP;"},
        {u"&copy;", u"&copy;"},
        {u"&#", u"&#"},
        {u"&#;", u"&#;"},
        {u"&#x;", u"&#x;"},
        {u"&#65", u"&#65"},
        {u"&#65 ;", u"&#65 ;"},
        {u"&#6a;", u"&#6a;"},
        {u"&#0;", u"&#0;"},
        {u"&#xD800;&#xDFFF;", u"&#xD800;&#xDFFF;"},
        {u"&#x110000;", u"&#x110000;"},
        {u"&#99999999999999999999999;", u"&#99999999999999999999999;"},
        {u"&&amp;", u"&&"},
    });
}

TEST(HtmlToText, DropsMarkupAndKeepsOtherAngles) {
    ExpectTexts({
        {u"<b>bold</b> <I>it</I>", u"bold it"},
        {u"a<br/>b<br>c", u"abc"},
        {u"<button contenteditable=false onresizestart='return false;' value='<Y4>'>"
         u"Year (Long)</button>",
         u"Year (Long)"},
        {u"<span title=\"a>b\" id=x>t</span>", u"t"},
        {u"<span it's>t</span>", u"t"},
        {u"a<!-- x > y -->b<!---->c", u"abc"},
        {u"a<!doctype html>b<?xml x?>c", u"abc"},
        {u"a<!-- never closed", u"a"},
        {u"text<b unclosed", u"text"},
        {u"<a href='x>", u""},
        {u"a < b, 1<2, <>, <", u"a < b, 1<2, <>, <"},
        {u"<b>&amp;</b>", u"&"},
    });
}

}  // namespace
