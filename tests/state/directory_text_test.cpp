// The portable pieces the directory model labels and reads with.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "common/format/calendar.h"
#include "state/directory/crc32.h"
#include "state/directory/item_label.h"
#include "state/directory/size_text.h"
#include "state/directory/wildcard.h"
#include "tests/support/u16.h"

namespace {

TEST(Crc32OfLowBytes, MatchesTheIeeeCheckValuesOverTheLowBytes) {
    struct Case {
        std::u16string text;
        std::uint32_t crc;
    };
    const Case cases[] = {
        {u"", 0x00000000U},
        {u"123456789", 0xCBF43926U},
        {u"The quick brown fox jumps over the lazy dog", 0x414FA339U},
        // Only the low byte of a unit counts: U+0131 sums as "1".
        {u"\u0131", 0x83DCEFB7U},
        {u"1", 0x83DCEFB7U},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Crc32OfLowBytes(c.text), c.crc) << Narrow(c.text);
    }
}

TEST(MatchesWildcard, StarAndQuestionMarkMatchCaseBlind) {
    struct Case {
        const char16_t* pattern;
        const char16_t* text;
        bool matches;
    };
    const Case cases[] = {
        {u"t?m", u"THM", true},
        {u"t?m", u"TM", false},
        {u"JPG", u"jpg", true},
        {u"*", u"", true},
        {u"", u"", true},
        {u"", u"JPG", false},
        {u"J*G", u"JPEG", true},
        {u"J*G", u"JPGX", false},
        {u"?", u"", false},
        {u"a*b*c", u"aXbYbZc", true},
        {u"a*b*c", u"aXbYbZ", false},
        {u"**", u"RAW", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesWildcard(c.pattern, c.text), c.matches)
            << Narrow(c.pattern) << " / " << Narrow(c.text);
    }
}

TEST(MinuteStamp, PrintsTheCalendarMinuteWithoutTimeZoneOrTheCutHexadecimalFallback) {
    std::uint64_t fileTime = 0;
    ASSERT_TRUE(CalendarToFileTime({2010, 5, 6, 14, 3, 59, 999}, &fileTime));
    EXPECT_EQ(Narrow(MinuteStamp(fileTime)), "-201005061403");
    EXPECT_EQ(Narrow(MinuteStamp(0)), "-160101010000");
    // Beyond what the calendar holds: the high and low words, 12 digits.
    EXPECT_EQ(Narrow(MinuteStamp(0x89ABCDEF01234567ULL)), "-89ABCDEF0123");
    EXPECT_EQ(Narrow(ItemLabel(u"IMG_0001", fileTime, u"_2")), "IMG_0001-201005061403_2");
}

TEST(ParseSizeTextWith, ReadsNumberSeparatorAndUnitRoundingUpByOneLastDigit) {
    struct Case {
        const char16_t* text;
        const char16_t* separator;
        std::uint64_t bytes;
    };
    const Case cases[] = {
        {u"1,5 GB", u",", 1717986918ULL},  // 1.6 * 2^30, truncated
        {u"12.5 MB", u".", 13212057ULL},   // 12.6 * 2^20
        {u"0,25\tkB", u",", 266ULL},       // 0.26 * 1024
        {u"512 bytes", u",", 513ULL},
        {u"700 KB", u".", 701ULL},  // units are case-sensitive
        {u"700 kB", u".", 717824ULL},
        {u"2 TB", u".", 3ULL * 1099511627776ULL},
        // Another separator ends the number; what follows is no unit.
        {u"1.5 GB", u",", 2ULL},
        // A unit must end the text.
        {u"5 MB ", u".", 6ULL},
        {u"Size: 7", u".", 8ULL},
        {u"no digits", u".", 0ULL},
        {u"", u".", 0ULL},
        // A run longer than 19 digits counts its first 19.
        {u"99999999999999999999", u".", 10000000000000000000ULL},
        {u"0,99999999999999999999", u",", 1ULL},
        // Beyond 64 bits the result stays at the largest value.
        {u"9999999999999999999 TB", u".", std::numeric_limits<std::uint64_t>::max()},
        {u"3<sep5 kB", u"<sep>", 3686ULL},  // a separator counts four units at most
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseSizeTextWith(c.text, c.separator), c.bytes) << Narrow(c.text);
    }
}

}  // namespace
