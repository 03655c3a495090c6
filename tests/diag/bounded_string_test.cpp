#include "diag/strings/bounded_string.h"
#include "diag/text/quiet_string.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/trace_capture.h"
#include "tests/support/u16.h"

namespace {

using ::testing::ElementsAre;

TEST(BoundedCopy, CutsToCapacityAndTracesTheSource) {
    TraceCapture trace;
    const std::u16string source(300, u'x');
    char16_t buffer[260];
    _TcsCpy(buffer, std::size(buffer), source.c_str());
    EXPECT_EQ(std::u16string(buffer), std::u16string(259, u'x'));
    EXPECT_THAT(trace.Texts(),
                ElementsAre("B1@_TcsCpy: len=260, src=\"" + std::string(300, 'x') + "\""));
}

TEST(BoundedCopy, FittingTextIsCopiedSilently) {
    TraceCapture trace;
    char16_t wide[4];
    char narrow[4];
    WcsCpy(wide, std::size(wide), u"abc");
    StrCpy(narrow, std::size(narrow), "abc");
    EXPECT_EQ(Narrow(wide), "abc");
    EXPECT_STREQ(narrow, "abc");
    StrCpy(narrow, std::size(narrow), "abcd");
    EXPECT_STREQ(narrow, "abc");
    EXPECT_THAT(trace.Texts(), ElementsAre("B3@StrCpy: len=4, src=\"abcd\""));
}

TEST(BoundedCopy, MissingArgumentsAreTracedAndNothingIsWritten) {
    TraceCapture trace;
    char16_t buffer[4] = u"old";
    WcsCpy(nullptr, 4, u"a");
    WcsCpy(buffer, 4, nullptr);
    WcsCat(buffer, 0, u"a");
    EXPECT_EQ(WsPrintf(nullptr, 4, u"x"), 0);
    EXPECT_EQ(WsPrintf(buffer, 4, nullptr), 0);
    EXPECT_EQ(WsPrintf(buffer, 0, u"x"), 0);
    EXPECT_EQ(Narrow(buffer), "old");
    EXPECT_THAT(trace.Texts(),
                ElementsAre("B2@WcsCpy: strDestination=NULL", "B2@WcsCpy: strSource=NULL",
                            "B5@WcsCat: nDestinationLen=0", "B12@WsPrintf: lpOut=NULL",
                            "B12@WsPrintf: lpFmt=NULL", "B12@WsPrintf: nOutLen=0"));
}

TEST(BoundedAppend, AppendsWhatFitsAndTracesTheRoom) {
    TraceCapture trace;
    char16_t buffer[8] = u"abc";
    _TcsCat(buffer, std::size(buffer), u"def");
    EXPECT_EQ(Narrow(buffer), "abcdef");
    _TcsCat(buffer, std::size(buffer), u"ghi");
    EXPECT_EQ(Narrow(buffer), "abcdefg");
    _TcsCat(buffer, std::size(buffer), u"z");
    EXPECT_EQ(Narrow(buffer), "abcdefg");
    char narrow[4] = "ab";
    StrCat(narrow, std::size(narrow), "cd");
    EXPECT_STREQ(narrow, "abc");
    EXPECT_THAT(trace.Texts(), ElementsAre("B4@_TcsCat: len=8, need=1, src=\"ghi\"",
                                           "B4@_TcsCat: len=8, need=0, src=\"z\"",
                                           "B6@StrCat: len=4, need=1, src=\"cd\""));
}

TEST(BoundedCopyN, PadsShortSourcesWithinTheBufferOnly) {
    char16_t buffer[6];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    // n larger than the buffer: the padding stops at the buffer's end.
    WcsnCpy(buffer, 4, u"ab", 100);
    EXPECT_EQ(std::u16string(buffer, 6), (std::u16string{u'a', u'b', 0, 0, u'#', u'#'}));

    // A source at least n long is copied without terminator.
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    _TcsnCpy(buffer, std::size(buffer), u"abcdef", 3);
    EXPECT_EQ(std::u16string(buffer, 4), u"abc#");
}

TEST(BoundedCopyN, CutsWhenTheBufferIsTooSmall) {
    TraceCapture trace;
    char buffer[4];
    StrnCpy(buffer, std::size(buffer), "abcdef", 5);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_THAT(trace.Texts(), ElementsAre("B9@StrnCpy: len=4, src=\"abcdef\""));
}

TEST(BoundedAppendN, AppendsAtMostNAndTracesRoomPlusOne) {
    TraceCapture trace;
    char16_t buffer[6] = u"ab";
    WcsnCat(buffer, std::size(buffer), u"cdef", 2);
    EXPECT_EQ(Narrow(buffer), "abcd");
    _TcsnCat(buffer, std::size(buffer), u"xyz", 3);
    EXPECT_EQ(Narrow(buffer), "abcdx");
    char narrow[3] = "ab";
    StrnCat(narrow, std::size(narrow), "c", 1);
    EXPECT_STREQ(narrow, "ab");
    EXPECT_THAT(trace.Texts(), ElementsAre("B10@_TcsnCat: len=6, need=2, src=\"xyz\"",
                                           "B14@StrnCat: len=3, need=1, src=\"c\""));
}

TEST(BoundedPrint, ReturnsUnitsWrittenAndTracesACut) {
    TraceCapture trace;
    char16_t wide[10];
    EXPECT_EQ(WsPrintf(wide, 10, u"%s-%s", u"0123456789", u"abcdefghi"), 9);
    EXPECT_EQ(Narrow(wide), "012345678");
    EXPECT_EQ(WsPrintf(wide, 10, u"%d", 42), 2);
    char narrow[4];
    EXPECT_EQ(WsPrintfA(narrow, 4, "%d", 12345), 3);
    EXPECT_STREQ(narrow, "123");
    EXPECT_THAT(trace.Texts(), ElementsAre("B12@WsPrintf: len=10, fmt=\"%s-%s\"",
                                           "B13@WsPrintfA: len=4, fmt=\"%d\""));
}

TEST(QuietSet, BoundsWithoutTracing) {
    TraceCapture trace;
    char16_t wide[4];
    char narrow[6] = "ab";
    EXPECT_EQ(CopyQuiet(wide, 4, u"abcdef"), 3u);
    EXPECT_EQ(AppendQuiet(narrow, 6, "cdefgh"), 5u);
    EXPECT_STREQ(narrow, "abcde");
    EXPECT_EQ(PrintQuiet(narrow, 6, "%d", 1234567), 5);
    EXPECT_TRUE(trace.Texts().empty());
}

}  // namespace
