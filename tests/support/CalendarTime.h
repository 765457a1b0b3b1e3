#pragma once
// A calendar time record from a plain date and time (month 1..12), for tests that hand the
// program a clock reading or a date to set.

#include <ctime>

inline std::tm CalendarTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

// Seconds since the epoch of a local date and time in the test's time zone.
inline std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second = 0)
{
    std::tm t = CalendarTime(year, month, day, hour, minute, second);
    t.tm_isdst = -1;
    return std::mktime(&t);
}
