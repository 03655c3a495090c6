#include "common/catalogue/catalogue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "common/catalogue/composite_expansion.h"
#include "common/catalogue/english_table.h"
#include "common/catalogue/i18n_accessors.h"
#include "common/catalogue/marker_transform.h"
#include "tests/common/catalogue_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/trace_capture.h"
#include "tests/support/u16.h"

namespace {

std::string Text(const char16_t* text) {
    return text != nullptr ? Narrow(text) : "(none)";
}

TEST(EnglishTable, HoldsTheTextsOfListedIdsOnly) {
    EXPECT_EQ(Text(EnglishText(1)), "OK");
    EXPECT_EQ(Text(EnglishText(90)), "Battery level of the camera '%s' is only %d%%");
    EXPECT_EQ(Text(EnglishText(197)), "both card slots set to use %c:");
    EXPECT_EQ(Text(EnglishText(190)), Text(EnglishText(28)));
    for (int empty : {0, 41, 69, 77, 96, 198, 199, -1}) {
        EXPECT_EQ(EnglishText(empty), nullptr) << empty;
    }
    EXPECT_EQ(Text(CompositeTemplate(-28)), "[090]\n\n[091]");
    for (int empty : {-2, -30, -42, -43, 0}) {
        EXPECT_EQ(CompositeTemplate(empty), nullptr) << empty;
    }
}

TEST_F(CatalogueTest, LooksUpPlainIdsInTheTranslationThenInEnglish) {
    EXPECT_EQ(_GetResource(13, 0, nullptr, 0), nullptr);  // nothing loaded yet
    Translate({u"13=Info", u"14=", u"250=hidden"});
    EXPECT_EQ(Text(_GetResource(13, 0, nullptr, 0)), "Info");
    EXPECT_EQ(Text(_GetResource(13, 1, nullptr, 0)), "About");
    EXPECT_EQ(Text(_GetI18NString(250)), "hidden");
    EXPECT_EQ(_GetResource(250, 0, nullptr, 0), nullptr);  // beyond the plain ids
    // A missing id falls back to English, an empty one stays empty.
    EXPECT_EQ(Text(I18N_About(0)), "Info");
    EXPECT_EQ(Text(I18N_About(1)), "About");
    EXPECT_EQ(Text(I18N_Settings(0)), "Settings");
    EXPECT_EQ(Text(CatalogueText(14, 0)), "");
}

TEST_F(CatalogueTest, ExpandsCompositesFromTranslatedAndEnglishPieces) {
    Translate({u"35=Jahr"});
    std::u16string built;
    EXPECT_EQ(Text(_GetResource(-12, 0, &built, 0)), "Jahr (Long)");
    EXPECT_EQ(Text(_GetResource(-12, 1, &built, 0)), "Jahr (Long)");  // pieces always translated
    EXPECT_EQ(Text(_GetResource(-38, 0, &built, 0)), "<default profile>");
    EXPECT_EQ(Text(_GetResource(-31, 0, &built, 0)),
              "Disconnect %s drive and cancel its drive letter mapping.");
    // Id 77 has no text: no expansion, and its raw template is never shown.
    EXPECT_EQ(_GetResource(-35, 0, &built, 1), nullptr);
    // A template without references is only given raw when asked for.
    EXPECT_EQ(_GetResource(-41, 0, &built, 0), nullptr);
    EXPECT_EQ(Text(_GetResource(-41, 0, &built, 1)),
              "The camera went offline, cannot get list of files.");
    EXPECT_EQ(_GetResource(-12, 0, nullptr, 0), nullptr);  // no place for the result
    EXPECT_EQ(_GetResource(-2, 0, &built, 1), nullptr);
    EXPECT_EQ(_GetResource(-43, 0, &built, 1), nullptr);
}

TEST(CompositeExpansion, RefusesTemplatesItCannotResolve) {
    std::u16string result = u"untouched";
    for (const char16_t* pattern : {u"no reference", u"[abc]", u"[016", u"[077]", u"[999]"}) {
        EXPECT_EQ(_BuildStringIndirect(pattern, &result), 0) << Narrow(pattern);
    }
    EXPECT_EQ(Narrow(result), "untouched");
    EXPECT_NE(_BuildStringIndirect(u"x[0016]y", &result), 0);  // three digits, then to "]"
    EXPECT_EQ(Narrow(result), "xOKy");
}

TEST(MarkerTransform, AcceptsOnlyTheMarkersTheOperationHas) {
    struct Case {
        const char16_t* text;
        int count;
        MarkerType type1;
        MarkerType type2;
        const char* result;  // null: refused
        int swapped;
    };
    constexpr auto S = MarkerType::String;
    constexpr auto C = MarkerType::Char;
    constexpr auto D = MarkerType::Integer;
    const Case cases[] = {
        {u"Laufwerk #1: trennen", 1, C, S, "Laufwerk %c: trennen", 0},
        {u"#1 ist bei #2%%", 2, S, D, "%s ist bei %d%%", 0},
        {u"#2 and #1", 2, S, D, "%d and %s", 1},
        {u"Between #1 and #1", 2, D, D, nullptr, 0},
        {u"#1 only", 2, S, S, nullptr, 0},
        {u"#3 and #1", 2, S, S, nullptr, 0},
        {u"#0", 1, S, S, nullptr, 0},
        {u"#12", 1, S, S, nullptr, 0},
        {u"Nr. # #1", 1, S, S, nullptr, 0},
        {u"#1 and a stray #", 1, S, S, nullptr, 0},
        {u"#1 and #2", 1, S, S, nullptr, 0},
        {u"no markers", 1, S, S, nullptr, 0},
        {u"#", 1, S, S, nullptr, 0},
        {u"#1", 1, static_cast<MarkerType>(4), S, nullptr, 0},
        {u"#1 #2", 3, S, S, nullptr, 0},
    };
    for (const Case& c : cases) {
        std::u16string result = u"untouched";
        int swapped = -1;
        const int ok = _TransformFormat(c.text, &result, c.count, c.type1, c.type2, &swapped);
        if (c.result == nullptr) {
            EXPECT_EQ(ok, 0) << Narrow(c.text);
            EXPECT_EQ(Narrow(result), "untouched") << Narrow(c.text);
        } else {
            EXPECT_NE(ok, 0) << Narrow(c.text);
            EXPECT_EQ(Narrow(result), c.result);
            EXPECT_EQ(swapped, c.swapped) << Narrow(c.text);
        }
    }
    // Two markers need a place for the swapped flag.
    std::u16string result;
    EXPECT_EQ(_TransformFormat(u"#1 #2", &result, 2, S, S, nullptr), 0);
    EXPECT_NE(_TransformFormat(u"#1", &result, 1, S, S, nullptr), 0);
}

TEST_F(CatalogueTest, LoadsTheFileOnceAndFallsBackToEnglishWithoutOne) {
    TempDir folder;
    const std::u16string good =
        folder.Write("good.lng", LanguageFileBytes(WithHeader({u"13=Info", u"23=Fehler"})));
    const std::u16string other =
        folder.Write("other.lng", LanguageFileBytes(WithHeader({u"13=Acerca de"})));
    const std::u16string refused = folder.Write("refused.lng", Utf16LeBytes(u"13=Info\r\n"));
    {
        TraceCapture trace;
        I18N_InitFromFile(good.c_str());
        I18N_InitFromFile(other.c_str());  // one is loaded already
        EXPECT_THAT(trace.Texts(), ::testing::Contains("I4@I18N_InitFromFile: strings=2"));
    }
    EXPECT_EQ(Text(I18N_About(0)), "Info");
    I18N_DeInit();
    EXPECT_EQ(Text(I18N_About(0)), "About");
    for (const std::u16string& path : {refused, folder.Path() + u"/missing.lng"}) {
        I18N_InitFromFile(path.c_str());
        EXPECT_EQ(Text(I18N_About(0)), "About");
    }
    I18N_InitFromFile(nullptr);
    EXPECT_EQ(Text(I18N_About(0)), "About");
}

TEST_F(CatalogueTest, AccessorsTraceUnderTheirTags) {
    TraceCapture trace;
    I18N_GUIOK(0);
    _This(1);
    const std::vector<std::string> texts = trace.Texts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], "I128@I18N_GUIOK: ENTER ");
    EXPECT_THAT(texts[1], ::testing::StartsWith("I128@I18N_GUIOK: RETURN: RC=0x"));
    EXPECT_EQ(texts[2], "I22@_This: ENTER ");
    EXPECT_THAT(texts[3], ::testing::StartsWith("I22@_This: RETURN: RC=0x"));
}

}  // namespace
