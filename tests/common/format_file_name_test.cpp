#include "common/format/format_file_name.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/format/calendar.h"
#include "tests/common/recording_renderer.h"

namespace {

constexpr char16_t kUntouched[] = u"untouched";

std::uint64_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::uint64_t fileTime = 0;
    EXPECT_TRUE(CalendarToFileTime({year, month, day, hour, minute, second, 0}, &fileTime));
    return fileTime;
}

const std::uint64_t kMay6At140309 = LocalTime(2010, 5, 6, 14, 3, 9);

SourceFileInfo Sample() {
    return SampleSourceFile(kMay6At140309);
}

struct Options {
    bool validate = true;
    bool normalise = true;  // formatCapacity length + 1, else -1
    std::size_t outCapacity = 260;
    TokenRenderer* renderer = nullptr;
};

struct Outcome {
    bool ok;
    std::u16string result;  // what out holds afterwards
    std::u16string format;  // the caller's format buffer afterwards
};

// Runs the engine as its callers do: a private copy of the format and an
// output buffer of exactly outCapacity units, so that ASan sees any overrun.
Outcome Expand(const std::u16string& format, const SourceFileInfo* source, Options options = {}) {
    std::vector<char16_t> formatBuffer(format.begin(), format.end());
    formatBuffer.push_back(u'\0');
    std::vector<char16_t> out(options.outCapacity, u'\0');
    std::u16string(kUntouched).copy(out.data(), std::min(out.size(), std::size(kUntouched)) - 1);
    const int formatCapacity = options.normalise ? static_cast<int>(formatBuffer.size()) : -1;
    const bool ok =
        FormatFileName(options.validate, options.renderer, out.data(), options.outCapacity,
                       formatBuffer.data(), formatCapacity, source);
    return {ok, std::u16string(out.data()), std::u16string(formatBuffer.data())};
}

Outcome Expand(const std::u16string& format, const SourceFileInfo& source, Options options = {}) {
    return Expand(format, &source, options);
}

struct Expansion {
    const char16_t* format;
    std::u16string result;
};

void ExpectExpansions(const std::vector<Expansion>& cases, const SourceFileInfo& source,
                      Options options = {}) {
    for (const Expansion& c : cases) {
        SCOPED_TRACE(testing::Message() << "format " << testing::PrintToString(c.format));
        const Outcome outcome = Expand(c.format, source, options);
        EXPECT_TRUE(outcome.ok);
        EXPECT_EQ(c.result, outcome.result);
    }
}

void ExpectRejected(const std::vector<const char16_t*>& formats, const SourceFileInfo& source,
                    Options options = {}) {
    for (const char16_t* format : formats) {
        SCOPED_TRACE(testing::Message() << "format " << testing::PrintToString(format));
        const Outcome outcome = Expand(format, source, options);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(kUntouched, outcome.result);
    }
}

TEST(FormatFileNameTest, WorkedExamples) {
    ExpectExpansions(
        {{u"<Y4>-<M2>-<D2>-<C4><Fo>", u"\\2010-05-06-0001.JPG"},
         {u"<Y4><DIR><M2><DIR><h2><m2><s2>_<O5-8><Fl>", u"\\2010\\05\\140309_0057.jpg"},
         {u"<P><Y4><Fo>", u"\\CameraDir\\2010.JPG"}},
        Sample());
}

TEST(FormatFileNameTest, EveryPlainTokenExpands) {
    ExpectExpansions({{u"<Y4>|<Y2>|<M2>|<M1>|<D2>|<D1><Fo>", u"\\2010|10|05|5|06|6.JPG"},
                      {u"<h2>|<h1>|<m2>|<m1>|<s2>|<s1>|<AP><Fo>", u"\\14|2|03|3|09|9|PM.JPG"},
                      {u"<X1>|<X2>|<X3>|<O>|<P><Fo>", u"\\D90|4288|2848|DSC_0057|CameraDir\\.JPG"},
                      {u"a<DIR>b<Fo>", u"\\a\\b.JPG"},
                      {u"<Fo>", u"\\.JPG"}},
                     Sample(), {.validate = false});
}

TEST(FormatFileNameTest, ClockTokensFollowTheTwelveHourClock) {
    struct Case {
        int hour;
        int minute;
        const char16_t* result;
    };
    const Case cases[] = {
        {0, 0, u"\\12 AM 00:00.JPG"},  {1, 5, u"\\1 AM 01:05.JPG"},  {11, 59, u"\\11 AM 11:59.JPG"},
        {12, 0, u"\\12 PM 12:00.JPG"}, {13, 7, u"\\1 PM 13:07.JPG"}, {23, 59, u"\\11 PM 23:59.JPG"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute);
        const Outcome outcome = Expand(u"<h1> <AP> <h2>:<m2><Fo>",
                                       SampleSourceFile(LocalTime(2005, 1, 2, c.hour, c.minute, 0)),
                                       {.validate = false});
        EXPECT_TRUE(outcome.ok);
        EXPECT_EQ(c.result, outcome.result);
    }
}

TEST(FormatFileNameTest, ShortYearKeepsTwoDigits) {
    ExpectExpansions({{u"<Y2><M1><D1><Fo>", u"\\0511.JPG"}},
                     SampleSourceFile(LocalTime(2005, 1, 1, 0, 0, 0)));
}

TEST(FormatFileNameTest, CounterIsZeroFilledToItsWidth) {
    struct Case {
        std::optional<std::int32_t> counter;
        const char16_t* format;
        const char16_t* result;
    };
    const Case cases[] = {
        {57, u"<C><Fo>", u"\\57.JPG"},
        {57, u"<C4><Fo>", u"\\0057.JPG"},
        {57, u"<C04><Fo>", u"\\0057.JPG"},
        {57, u"<C0><Fo>", u"\\57.JPG"},
        {12345, u"<C2><Fo>", u"\\12345.JPG"},
        {-5, u"<C4><Fo>", u"\\-005.JPG"},
        {-5, u"<C><Fo>", u"\\-5.JPG"},
        {0, u"<C3><Fo>", u"\\000.JPG"},
        {INT_MIN, u"<C12><Fo>", u"\\-02147483648.JPG"},
        {INT_MAX, u"<C><Fo>", u"\\2147483647.JPG"},
        {std::nullopt, u"a<C4>b<Fo>", u"\\ab.JPG"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(c.format) << " counter "
                                        << c.counter.value_or(-999));
        SourceFileInfo source = Sample();
        source.counter = c.counter;
        const Outcome outcome = Expand(c.format, source);
        EXPECT_TRUE(outcome.ok);
        EXPECT_EQ(c.result, outcome.result);
    }
}

TEST(FormatFileNameTest, OriginalNameRanges) {
    ExpectExpansions({{u"<O><Fo>", u"\\DSC_0057.JPG"},
                      {u"<O5-8><Fo>", u"\\0057.JPG"},
                      {u"<O8-8><Fo>", u"\\7.JPG"},
                      {u"<O5-99><Fo>", u"\\0057.JPG"},
                      {u"<O9-12><Fo>", u"\\.JPG"},
                      {u"<O1-1><O1-3><Fo>", u"\\DDSC.JPG"},
                      // The end is read as a decimal conversion reads it.
                      {u"<O1- 3><O1-+2><Fo>", u"\\DSCDS.JPG"},
                      // The "-" is searched for, wherever it is.
                      {u"<O5x-8><Fo>", u"\\0057.JPG"},
                      {u"<O99999999999-99999999999><Fo>", u"\\.JPG"}},
                     Sample());
}

TEST(FormatFileNameTest, SourceNameIsSplitAtItsLastComponentAndDot) {
    const std::u16string longName(150, u'n');
    const std::u16string hugeName(300, u'h');
    const std::u16string hugeExtension = u"." + std::u16string(300, u'e');
    struct Case {
        std::u16string sourceName;
        const char16_t* format;
        std::u16string result;
    };
    const Case cases[] = {
        {u"DCIM\\100NCD90\\IMG.1.JPG", u"<O><Fo>", u"\\IMG.1.JPG"},
        {u"DCIM/IMG_1.NEF", u"<O><Fo>", u"\\IMG_1.NEF"},
        {u"README", u"<O><Fo>", u"\\README"},
        {u".hidden", u"x<O><Fo>", u"\\x.hidden"},
        {longName, u"<O><Fo>", u"\\" + longName.substr(0, 100)},
        {longName, u"<O50-200><Fo>", u"\\" + longName.substr(0, 100)},
        {longName + u"1", u"<O150-151><Fo>", u"\\n1"},
        {hugeName + u".JPG", u"<O256-300>x<Fo>", u"\\x.JPG"},
        {u"a" + hugeExtension, u"<O><Fo>", u"\\a" + hugeExtension.substr(0, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(c.sourceName.substr(0, 30)));
        SourceFileInfo source = Sample();
        source.sourceName = c.sourceName.c_str();
        const Outcome outcome = Expand(c.format, source, {.validate = false, .outCapacity = 1000});
        EXPECT_TRUE(outcome.ok);
        EXPECT_EQ(c.result, outcome.result);
    }
}

TEST(FormatFileNameTest, InvalidFormatsFailAndLeaveOutUntouched) {
    ExpectRejected(
        {
            u"<Y4>",     // no case token
            u"   \t",    // nothing left after trimming
            u"<Fx>",     // unknown case letter
            u"<F><Fo>",  // <F> fails even when a case token follows
            u"<Fo><F>",
            u"<Fo",  // case token without ">"
            u"<Fox>",
            u"<Fo><C4x>",    // malformed after the case token
            u"<C4x><Fo>",    // malformed counter ends the scan
            u"<O0-3><Fo>",   // range starts at 0
            u"<O4-2><Fo>",   // start after end
            u"<O3><Fo>",     // no "-"
            u"<O3-><Fo>",    // no end
            u"<O3--5><Fo>",  // negative end
            u"<Ox><Fo>",
            u"<Y4 ><Fo>",  // two-letter token not closed at once
            u"<DIRx><Fo>",
            u"<P ><Fo>",
            u"<Y4><Q><M2><Fo>",  // scanning stops at <Q>: the case token is never seen
            u"<Y4><h2<Fo>",
        },
        Sample(), {.validate = false});
}

TEST(FormatFileNameTest, UnrecognisedTokenEndsTheScanWithoutFailure) {
    ExpectExpansions({{u"<Fo><Y4><Q><M2>", u"\\2010Q><M2>.JPG"},
                      {u"<Fo>a<", u"\\a.JPG"},
                      {u"<Fo><H2><Y4>", u"\\H2><Y4>.JPG"},  // names are case-sensitive
                      {u"<Fu><dir>x", u"\\DIR>X.JPG"}},
                     Sample(), {.validate = false});
}

TEST(FormatFileNameTest, ForbiddenCharactersAreRefusedOnlyWhenValidating) {
    for (const char16_t* format :
         {u"a:b<Fo>", u"a\"b<Fo>", u"a/b<Fo>", u"a\\b<Fo>", u"a|b<Fo>", u"a?b<Fo>", u"a*b<Fo>"}) {
        SCOPED_TRACE(testing::PrintToString(format));
        const Outcome validated = Expand(format, Sample());
        EXPECT_FALSE(validated.ok);
        EXPECT_EQ(kUntouched, validated.result);
        EXPECT_EQ(format, validated.format);

        const Outcome live = Expand(format, Sample(), {.validate = false});
        EXPECT_TRUE(live.ok);
        EXPECT_EQ(u"\\" + std::u16string(format).substr(0, 3) + u".JPG", live.result);
    }
}

TEST(FormatFileNameTest, ValuesAreInsertedVerbatim) {
    SourceFileInfo source = Sample();
    source.cameraName = u"Nikon: D90/2";
    source.imageWidth = nullptr;
    source.imageHeight = nullptr;
    source.sourceDirectory = u"DCIM\\";
    ExpectExpansions({{u"<P><X1>[<X2><X3>]<Fo>", u"\\DCIM\\Nikon: D90/2[].JPG"}}, source);

    source.sourceDirectory = u"";
    ExpectExpansions({{u"<P><Y4><Fo>", u"\\2010.JPG"}}, source);
}

TEST(FormatFileNameTest, FormatIsTrimmedInTheCallersBuffer) {
    const Outcome live = Expand(u"  <Y4><Fo>\t", Sample(), {.validate = false, .normalise = false});
    EXPECT_TRUE(live.ok);
    EXPECT_EQ(u"<Y4><Fo>", live.format);
    EXPECT_EQ(u"\\2010.JPG", live.result);

    // Also when the format is then refused.
    const Outcome refused = Expand(u"\t a/b<Fo> ", Sample());
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(u"a/b<Fo>", refused.format);

    // Blanks inside the format are literal text.
    const Outcome inner = Expand(u" a b <Fo>", Sample());
    EXPECT_EQ(u"\\a b .JPG", inner.result);
}

TEST(FormatFileNameTest, ArgumentsAreTestedBeforeAnythingChanges) {
    SourceFileInfo noName = Sample();
    noName.sourceName = nullptr;
    SourceFileInfo noTime = Sample();
    noTime.captureTime.reset();
    const SourceFileInfo badTime = SampleSourceFile(std::uint64_t{1} << 63);

    const SourceFileInfo* const incomplete[] = {&noName, &noTime, nullptr};
    for (const SourceFileInfo* source : incomplete) {
        const Outcome outcome = Expand(u" <Y4><Fo> ", source);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(kUntouched, outcome.result);
        EXPECT_EQ(u" <Y4><Fo> ", outcome.format);
    }
    const Outcome outcome = Expand(u"<Y4><Fo>", badTime);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(kUntouched, outcome.result);

    EXPECT_FALSE(Expand(u"", Sample()).ok);

    char16_t out[260] = u"x";
    char16_t format[] = u"<Fo>";
    const SourceFileInfo source = Sample();
    EXPECT_FALSE(FormatFileName(true, nullptr, nullptr, 260, format, 5, &source));
    EXPECT_FALSE(FormatFileName(true, nullptr, out, 0, format, 5, &source));
    EXPECT_FALSE(FormatFileName(true, nullptr, out, 260, nullptr, 5, &source));
    EXPECT_EQ(u'x', out[0]);
}

TEST(FormatFileNameTest, CaseModes) {
    SourceFileInfo source = Sample();
    source.sourceName = u"Ab\u00e9.Jpg";
    ExpectExpansions({{u"x\u00c9<O><Fo>", u"\\x\u00c9Ab\u00e9.Jpg"},
                      {u"x\u00c9<O><Fu>", u"\\X\u00c9AB\u00e9.JPG"},
                      {u"x\u00c9<O><Fl>", u"\\x\u00c9ab\u00e9.jpg"},
                      {u"<Fu>x<Fl>", u"\\x.jpg"}},  // the last case token counts
                     source);
}

TEST(FormatFileNameTest, NormalisationRewritesFormatAndResult) {
    SourceFileInfo source = Sample();
    source.sourceName = u"x..JPG";
    struct Case {
        const char16_t* format;
        const char16_t* normalised;
        const char16_t* result;
    };
    const Case cases[] = {
        {u"<DIR><Y4><DIR><DIR><M2><Fo>", u"<Y4><DIR><M2><Fo>", u"\\2010\\05.JPG"},
        {u"<DIR><DIR><Y4><Fo>", u"<Y4><Fo>", u"\\2010.JPG"},
        {u"<Y4><DIR><DIR><DIR><M2><Fo>", u"<Y4><DIR><M2><Fo>", u"\\2010\\05.JPG"},
        {u"<P><DIR><Y4><Fo>", u"<P><Y4><Fo>", u"\\CameraDir\\2010.JPG"},
        {u"a..b<Fo>", u"a.b<Fo>", u"\\a.b.JPG"},
        {u"a....b...<Fo>", u"a.b.<Fo>", u"\\a.b.JPG"},
        {u"<O><Fo>", u"<O><Fo>", u"\\x.JPG"},  // the result's dots come from the name
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.format));
        const Outcome outcome = Expand(c.format, source);
        EXPECT_TRUE(outcome.ok);
        EXPECT_EQ(c.normalised, outcome.format);
        EXPECT_EQ(c.result, outcome.result);

        // Without a normalising capacity, or without validation, the format is only trimmed.
        for (const Options options : {Options{.normalise = false}, Options{.validate = false}}) {
            const Outcome kept = Expand(c.format, source, options);
            EXPECT_TRUE(kept.ok);
            EXPECT_EQ(c.format, kept.format);
        }
    }
    EXPECT_EQ(u"\\\\2010\\\\05x..JPG",
              Expand(u"<DIR><Y4><DIR><DIR><M2><O><Fo>", source, {.normalise = false}).result);
}

TEST(FormatFileNameTest, MisplacedDirectoryTokenFailsOnlyWhenNormalising) {
    // A later <P> replaces an earlier one; <DIR> before <P> counts although
    // normalisation would remove it.
    struct Case {
        const char16_t* format;
        const char16_t* result;
    };
    const Case cases[] = {
        {u"<Y4><P><Fo>", u"\\2010CameraDir\\.JPG"},
        {u"<P><Y4><P><Fo>", u"\\CameraDir\\2010CameraDir\\.JPG"},
        {u"<DIR><P><Fo>", u"\\CameraDir\\.JPG"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.format));
        const Outcome refused = Expand(c.format, Sample());
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(c.result, refused.result);  // the late failure leaves the result
        EXPECT_EQ(c.format, refused.format);

        const Outcome live = Expand(c.format, Sample(), {.normalise = false});
        EXPECT_TRUE(live.ok);
    }
}

TEST(FormatFileNameTest, ValidatedResultIsLimitedTo260Units) {
    SourceFileInfo source = Sample();
    source.sourceName = u"n";
    const Options wide{.outCapacity = 1000};
    const std::u16string fits = std::u16string(259, u'a') + u"<Fo>";
    EXPECT_TRUE(Expand(fits, source, wide).ok);

    const std::u16string tooLong = std::u16string(260, u'a') + u"<Fo>";
    const Outcome refused = Expand(tooLong, source, wide);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(u"\\" + std::u16string(260, u'a'), refused.result);
    EXPECT_EQ(tooLong, refused.format);

    EXPECT_TRUE(Expand(tooLong, source, {.validate = false, .outCapacity = 1000}).ok);
}

TEST(FormatFileNameTest, ResultIsCutAtOutCapacity) {
    ExpectExpansions({{u"<Y4>-<M2>-<D2>-<C4><Fo>", u"\\2010-0"}}, Sample(), {.outCapacity = 8});
    ExpectExpansions({{u"<Y4>-<M2><Fu>", u"\\2010-05."}}, Sample(), {.outCapacity = 10});
    ExpectExpansions({{u"<Fo>", u""}}, Sample(), {.outCapacity = 1});
    // Zero filling stops at the buffer's end however wide the counter.
    ExpectExpansions({{u"<C99999999999><Fo>", u"\\" + std::u16string(258, u'0')}}, Sample());
    ExpectExpansions({{u"<C99999999999><Fo>", u"\\" + std::u16string(10238, u'0')}}, Sample(),
                     {.validate = false, .outCapacity = 10240});
}

TEST(FormatFileNameTest, DescribeModeAsksTheRendererForEveryToken) {
    struct Case {
        const char16_t* format;
        const char16_t* result;
        CaseMode caseMode;
    };
    const Case cases[] = {
        {u"<Y4>-<M2>-<D2>-<C4><Fo>", u"\\[Y4]-[M2]-[D2]-[C4]", CaseMode::kUnchanged},
        {u"<Y2><M1><D1><h2><m2><s2><h1><m1><s1><AP><Fl>",
         u"\\[Y2][M1][D1][h2][m2][s2][h1][m1][s1][AP]", CaseMode::kLower},
        {u"<P><DIR><DIR><X1><X2><X3><O><Fu>", u"\\[P][DIR][DIR][X1][X2][X3][O]", CaseMode::kUpper},
        // Numbers reach the renderer as values: <C> is width 0, leading zeros go.
        {u"<C>x<C04><O05-08><Fo>", u"\\[C0]x[C4][O5-8]", CaseMode::kUnchanged},
        // Nothing is converted or normalised; unrecognised tokens still end the scan.
        {u"<Fu>a..b<Y4><Q><M2>", u"\\a..b[Y4]Q><M2>", CaseMode::kUpper},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.format));
        RecordingRenderer renderer;
        const Outcome outcome =
            Expand(c.format, nullptr, {.outCapacity = 10240, .renderer = &renderer});
        EXPECT_TRUE(outcome.ok);
        EXPECT_EQ(c.result, outcome.result);
        EXPECT_EQ(c.format, outcome.format);
        EXPECT_EQ(1, renderer.caseCalls);
        EXPECT_EQ(c.caseMode, renderer.caseMode);
    }
}

TEST(FormatFileNameTest, DescribeModeFailuresTellNoCase) {
    for (const char16_t* format : {u"<Y4>", u"a?b<Fo>", u"<C4x><Fo>", u"<F><Fo>"}) {
        SCOPED_TRACE(testing::PrintToString(format));
        RecordingRenderer renderer;
        const Outcome outcome =
            Expand(format, nullptr, {.outCapacity = 10240, .renderer = &renderer});
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(kUntouched, outcome.result);
        EXPECT_EQ(0, renderer.caseCalls);
    }
}

TEST(FormatFileNameTest, DescribeModeUsesSourceDataWhenGivenAndNeverLimitsLength) {
    // The builder's editor describes long formats; the 260-unit rule is the
    // file name's, not the description's.
    RecordingRenderer renderer;
    const std::u16string format = std::u16string(300, u'a') + u"<Y4><P><Fo>";
    const Outcome outcome = Expand(format, Sample(), {.outCapacity = 10240, .renderer = &renderer});
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(u"\\" + std::u16string(300, u'a') + u"[Y4][P].JPG", outcome.result);
}

TEST(FormatFileNameTest, UsableFileNames) {
    struct Case {
        bool ok;
        const char16_t* result;
        bool usable;
    };
    const Case cases[] = {
        {true, u"\\2010.JPG", true}, {true, u"\\a\\.b", true},   {true, u"\\.JPG", false},
        {true, u"\\.", false},       {false, u"\\a.JPG", false}, {true, nullptr, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.usable, IsUsableFileName(c.ok, c.result))
            << c.ok << " " << testing::PrintToString(c.result ? c.result : u"(null)");
    }
    const Outcome bare = Expand(u"<Fo>", Sample());
    EXPECT_TRUE(bare.ok);
    EXPECT_FALSE(IsUsableFileName(bare.ok, bare.result.c_str()));
}

}  // namespace
