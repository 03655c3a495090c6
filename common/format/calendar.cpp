#include "common/format/calendar.h"

namespace {

constexpr std::uint64_t kTicksPerMillisecond = 10'000;
constexpr std::uint64_t kTicksPerSecond = 1000 * kTicksPerMillisecond;
constexpr std::uint64_t kSecondsPerDay = 86'400;
constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;

// Day counts relative to 0000-03-01, so that the leap day ends each 400-year
// era's year and the arithmetic needs no negative numbers for 1601 onwards.
constexpr std::int64_t kDaysPerEra = 146'097;

constexpr std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = year / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysPerEra + dayOfEra;
}

constexpr std::int64_t kDaysTo1601 = DaysFromCivil(1601, 1, 1);

void CivilFromDays(std::int64_t days, CalendarTime* fields) {
    const std::int64_t era = days / kDaysPerEra;
    const std::int64_t dayOfEra = days - era * kDaysPerEra;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // 0 = March
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    fields->day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    fields->month = month;
    fields->year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool FieldsInRange(const CalendarTime& f) {
    // 30828 is the last year below 2^63 ticks; the exact end is checked later.
    if (f.year < 1601 || f.year > 30828 || f.month < 1 || f.month > 12) {
        return false;
    }
    return f.day >= 1 && f.day <= DaysInMonth(f.year, f.month) && f.hour >= 0 && f.hour < 24 &&
           f.minute >= 0 && f.minute < 60 && f.second >= 0 && f.second < 60 &&
           f.milliseconds >= 0 && f.milliseconds < 1000;
}

}  // namespace

bool FileTimeToCalendar(std::uint64_t fileTime, CalendarTime* fields) {
    if (fields == nullptr || fileTime >= kLimit) {
        return false;
    }
    const std::uint64_t seconds = fileTime / kTicksPerSecond;
    const std::uint64_t secondOfDay = seconds % kSecondsPerDay;
    CivilFromDays(kDaysTo1601 + static_cast<std::int64_t>(seconds / kSecondsPerDay), fields);
    fields->hour = static_cast<int>(secondOfDay / 3600);
    fields->minute = static_cast<int>(secondOfDay / 60 % 60);
    fields->second = static_cast<int>(secondOfDay % 60);
    fields->milliseconds = static_cast<int>(fileTime / kTicksPerMillisecond % 1000);
    return true;
}

bool CalendarToFileTime(const CalendarTime& fields, std::uint64_t* fileTime) {
    if (fileTime == nullptr || !FieldsInRange(fields)) {
        return false;
    }
    const auto days = static_cast<std::uint64_t>(
        DaysFromCivil(fields.year, fields.month, fields.day) - kDaysTo1601);
    const std::uint64_t seconds =
        days * kSecondsPerDay +
        static_cast<std::uint64_t>(fields.hour * 3600 + fields.minute * 60 + fields.second);
    const std::uint64_t ticks =
        seconds * kTicksPerSecond +
        static_cast<std::uint64_t>(fields.milliseconds) * kTicksPerMillisecond;
    if (ticks >= kLimit) {
        return false;
    }
    *fileTime = ticks;
    return true;
}
