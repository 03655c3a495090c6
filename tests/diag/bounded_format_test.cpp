#include "diag/text/bounded_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "tests/support/u16.h"

namespace {

template <typename... Args>
std::string Format16(const char16_t* format, const Args&... args) {
    char16_t out[256];
    FormatBoundedArgs(out, std::size(out), format, args...);
    return Narrow(out);
}

template <typename... Args>
std::string Format8(const char* format, const Args&... args) {
    char out[512];
    FormatBoundedArgs(out, std::size(out), format, args...);
    return out;
}

TEST(BoundedFormat, ConversionsMatchPrintf) {
    struct Case {
        std::string got;
        const char* expected;
    };
    const std::int64_t big = 0x123456789ABCDEF0LL;
    const Case cases[] = {
        {Format16(u"%d|%i|%u", -5, 7, 42u), "-5|7|42"},
        {Format16(u"%ld|%li|%lu", -1, 2, 3u), "-1|2|3"},
        {Format16(u"%x|%X|%08X", 255, 255, 0xBEEFu), "ff|FF|0000BEEF"},
        {Format16(u"%u", -1), "4294967295"},
        {Format16(u"%I64u|%I64i|%I64X", std::uint64_t{18446744073709551615ULL}, big * -1, big),
         "18446744073709551615|-1311768467463790320|123456789ABCDEF0"},
        {Format16(u"0x%016I64X", std::int64_t{0x1A2B3C4D5E}), "0x0000001A2B3C4D5E"},
        {Format16(u"%04d|%-4d|%4d|%04d", 7, 7, 7, -5), "0007|7   |   7|-005"},
        {Format16(u"%0*d|%*d|%-*d.", 4, 57, 3, 1, 3, 2), "0057|  1|2  ."},
        {Format16(u"%.3s|%5s|%-5s|", u"abcdef", u"ab", u"ab"), "abc|   ab|ab   |"},
        {Format16(u"%s %ls %hs", u"wide", u"also", "narrow"), "wide also narrow"},
        {Format16(u"%c%c", u'A', 'b'), "Ab"},
        {Format16(u"%f|%lf|%.2f|%08.3f", 0.5, 1.25, 2.345, -3.14159),
         "0.500000|1.250000|2.35|-003.142"},
        {Format16(u"100%%"), "100%"},
        {Format16(u"%s", static_cast<const char16_t*>(nullptr)), "(null)"},
        {Format8("%s|%ls|%hs|%d", "a", u"b\u00e9", "c", 12), "a|b?|c|12"},
        {Format8("%03d000", 7), "007000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got, c.expected);
    }
}

TEST(BoundedFormat, MismatchesAndMissingArgumentsPrintMarkers) {
    EXPECT_EQ(Format16(u"[%s]", 5), "[(?%s)]");
    EXPECT_EQ(Format16(u"[%d]", u"text"), "[(?%d)]");
    EXPECT_EQ(Format16(u"[%f]", 3), "[(?%f)]");
    EXPECT_EQ(Format16(u"%s and %s", u"one"), "one and (?%s)");
    EXPECT_EQ(Format16(u"%*d", u"w", 5), "(?%*d)");
    EXPECT_EQ(Format16(u"%q|%"), "(?%q)|(?%)");
    // A wrong argument does not shift the ones after it out of place.
    EXPECT_EQ(Format16(u"%d %s", u"x", u"y"), "(?%d) y");
    EXPECT_EQ(Format8("%I64d", 1.5), "(?%I64d)");
}

TEST(BoundedFormat, CutsAtCapacityAndAlwaysTerminates) {
    char16_t out[6];
    std::fill(std::begin(out), std::end(out), u'#');
    FormatResult r = FormatBoundedArgs(out, 5, u"%s-%d", u"abcdef", 1);
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(r.length, 4u);
    EXPECT_EQ(Narrow(out), "abcd");
    EXPECT_EQ(out[5], u'#');

    r = FormatBoundedArgs(out, 5, u"abcd");
    EXPECT_FALSE(r.truncated);
    EXPECT_EQ(r.length, 4u);

    r = FormatBoundedArgs(out, 0, u"x");
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(out[0], u'a');  // capacity 0: nothing written at all

    // Huge widths are bounded by the buffer, not by the template.
    char small[8];
    r = FormatBoundedArgs(small, sizeof small, "%999999999d", 1);
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(std::string(small), "       ");
}

TEST(BoundedFormat, ExtremeValues) {
    EXPECT_EQ(Format16(u"%d", std::numeric_limits<std::int32_t>::min()), "-2147483648");
    EXPECT_EQ(Format16(u"%I64d", std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(Format16(u"%.0d|%.3d", 0, 5), "|005");
    EXPECT_EQ(Format8("%f", 1e300).size(), 308u);
    EXPECT_EQ(Format8("%s", std::string_view("abc", 2)), "ab");
}

}  // namespace
