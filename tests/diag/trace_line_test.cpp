#include "diag/trace/trace_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Fraction(std::int64_t counter, std::int64_t frequency, double offset, int ms) {
    char out[7];
    TraceSecondFraction(counter, frequency, offset, ms, out);
    return out;
}

TEST(TraceLine, FractionOfTheSecond) {
    // Without a counter: the milliseconds followed by "000".
    EXPECT_EQ(Fraction(0, 0, 0.0, 7), "007000");
    EXPECT_EQ(Fraction(0, 0, 0.0, 999), "999000");
    // With one: six digits of counter / frequency - offset.
    EXPECT_EQ(Fraction(1234567, 1000000, 0.0, 0), "234567");
    EXPECT_EQ(Fraction(1500000, 1000000, 0.25, 0), "250000");
    EXPECT_EQ(Fraction(500000, 1000000, 0.75, 0), "750000");  // wraps below zero
}

TEST(TraceLine, OffsetAlignsTheFractionWithTheWallClock) {
    const std::int64_t f = 10000000;
    const std::int64_t c0 = 123456789;  // 12.3456789 s on the counter
    const double offset = TraceFractionOffset(c0, f, 500);
    EXPECT_EQ(Fraction(c0, f, offset, 0), "500000");
    EXPECT_EQ(TraceFractionOffset(c0, 0, 500), 0.0);
}

TEST(TraceLine, WholeLineFormat) {
    TraceLineParts parts;
    parts.processId = 0x1F40;
    parts.threadId = 0x2A10;
    parts.timestamped = true;
    parts.time = {2021, 3, 4, 4, 5, 6, 7, 123};
    parts.counter = 0x1A2B3C4D5E;
    parts.text = "C12@CCache::Global_GetCacheSize: ENTER \r\n";
    char line[kTraceLineBytes];
    const std::size_t n = TraceFormatLine(parts, 0, 0, 0.0, line);
    EXPECT_EQ(std::string(line, n),
              "0x0000001A2B3C4D5E, 2021-03-04 05:06:07.123000 [PID=0x00001F40;TID=0x00002A10]: "
              "C12@CCache::Global_GetCacheSize: ENTER \r\n");

    TraceFormatLine(parts, 3, 0, 0.0, line);
    EXPECT_NE(std::string(line).find("]: ##3## C12@"), std::string::npos);

    parts.timestamped = false;
    EXPECT_EQ(std::string(line, TraceFormatLine(parts, 0, 0, 0.0, line)), parts.text);
}

TEST(TraceLine, LongTextIsCutAndMarked) {
    char field[kTraceFieldBytes];
    const std::u16string shortText = u"Q1@x: fits\r\n";
    TraceFillField(shortText.c_str(), shortText.size(), field);
    EXPECT_STREQ(field, "Q1@x: fits\r\n");

    const std::u16string cut(519, u'a');
    TraceFillField(cut.c_str(), cut.size(), field);
    const std::string text = field;
    EXPECT_EQ(text.size(), 519u);
    EXPECT_EQ(text, std::string(514, 'a') + "...\r\n");
}

}  // namespace
