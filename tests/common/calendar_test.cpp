#include "common/format/calendar.h"

#include <cstdint>

#include <gtest/gtest.h>

namespace {

constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;

struct KnownMoment {
    std::uint64_t fileTime;
    CalendarTime fields;
};

// Reference values computed independently of this code; they cover the epoch,
// a 400-year leap year, a skipped century leap day and the last valid tick.
const KnownMoment kKnownMoments[] = {
    {0, {1601, 1, 1, 0, 0, 0, 0}},
    {314928000000000, {1601, 12, 31, 12, 0, 0, 0}},
    {94405824000000000, {1900, 3, 1, 0, 0, 0, 0}},
    {125963423999990000, {2000, 2, 29, 23, 59, 59, 999}},
    {129176281890000000, {2010, 5, 6, 14, 3, 9, 0}},
    {252454789230040000, {2400, 12, 31, 1, 2, 3, 4}},
    {kLimit - 1, {30828, 9, 14, 2, 48, 5, 477}},
};

void ExpectSameFields(const CalendarTime& expected, const CalendarTime& actual) {
    EXPECT_EQ(expected.year, actual.year);
    EXPECT_EQ(expected.month, actual.month);
    EXPECT_EQ(expected.day, actual.day);
    EXPECT_EQ(expected.hour, actual.hour);
    EXPECT_EQ(expected.minute, actual.minute);
    EXPECT_EQ(expected.second, actual.second);
    EXPECT_EQ(expected.milliseconds, actual.milliseconds);
}

TEST(CalendarTest, KnownMomentsConvertBothWays) {
    for (const KnownMoment& moment : kKnownMoments) {
        SCOPED_TRACE(moment.fileTime);
        CalendarTime fields;
        ASSERT_TRUE(FileTimeToCalendar(moment.fileTime, &fields));
        ExpectSameFields(moment.fields, fields);

        std::uint64_t fileTime = 1;
        ASSERT_TRUE(CalendarToFileTime(moment.fields, &fileTime));
        // Ticks below a millisecond are not represented in the fields.
        EXPECT_EQ(moment.fileTime - moment.fileTime % 10'000, fileTime);
    }
}

TEST(CalendarTest, ValuesFromTwoToTheSixtyThreeAreRejected) {
    CalendarTime fields;
    fields.year = 1234;
    EXPECT_FALSE(FileTimeToCalendar(kLimit, &fields));
    EXPECT_FALSE(FileTimeToCalendar(UINT64_MAX, &fields));
    EXPECT_EQ(1234, fields.year);
}

TEST(CalendarTest, RoundTripOverTheWholeRange) {
    // A stride that is not a whole number of days, seconds or milliseconds
    // visits every time of day, month and leap-year position.
    constexpr std::uint64_t kStride = 123'456'789'012'347;
    for (std::uint64_t t = 0; t < kLimit; t += kStride) {
        CalendarTime fields;
        ASSERT_TRUE(FileTimeToCalendar(t, &fields)) << t;
        std::uint64_t back = 0;
        ASSERT_TRUE(CalendarToFileTime(fields, &back)) << t;
        ASSERT_EQ(t - t % 10'000, back) << t;
    }
}

TEST(CalendarTest, FieldsOutOfRangeAreRejected) {
    const CalendarTime kInvalid[] = {
        {1600, 12, 31, 23, 59, 59, 999},  // before the epoch
        {2010, 0, 1, 0, 0, 0, 0},
        {2010, 13, 1, 0, 0, 0, 0},
        {2010, 4, 31, 0, 0, 0, 0},
        {1900, 2, 29, 0, 0, 0, 0},  // century without leap day
        {2000, 2, 30, 0, 0, 0, 0},
        {2010, 5, 0, 0, 0, 0, 0},
        {2010, 5, 6, 24, 0, 0, 0},
        {2010, 5, 6, 0, 60, 0, 0},
        {2010, 5, 6, 0, 0, 60, 0},
        {2010, 5, 6, 0, 0, 0, 1000},
        {2010, 5, 6, -1, 0, 0, 0},
        {30828, 9, 14, 2, 48, 5, 478},  // first millisecond at
                                        // 2^63
        {30829, 1, 1, 0, 0, 0, 0},
    };
    for (const CalendarTime& fields : kInvalid) {
        SCOPED_TRACE(testing::Message() << fields.year << "-" << fields.month << "-" << fields.day
                                        << " " << fields.hour << ":" << fields.minute << ":"
                                        << fields.second << "." << fields.milliseconds);
        std::uint64_t fileTime = 42;
        EXPECT_FALSE(CalendarToFileTime(fields, &fileTime));
        EXPECT_EQ(42u, fileTime);
    }
}

}  // namespace
