#pragma once
// Calendar fields of a FILETIME-scale value (100-nanosecond intervals since
// 1601-01-01 00:00), proleptic Gregorian, with no time-zone conversion: the
// value is taken to hold local time already.
#include <cstdint>

struct CalendarTime {
    int year = 0;   // 1601 ...
    int month = 0;  // 1-12
    int day = 0;    // 1-31
    int hour = 0;   // 0-23
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

// Fails for values at or above 2^63, which the platform's conversion rejects.
bool FileTimeToCalendar(std::uint64_t fileTime, CalendarTime* fields);

// Fails when a field is out of its range (day checked against its month) or
// the moment lies outside what FileTimeToCalendar accepts.
bool CalendarToFileTime(const CalendarTime& fields, std::uint64_t* fileTime);
