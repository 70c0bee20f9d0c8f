// Simulated time: milliseconds of Coordinated Universal Time since 1970-01-01, and the calendar
// and GPS-week views of it that the receiver's output lines need.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orbex::sim {

using SimMillis = std::int64_t;

struct CivilTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int weekday = 4;    // Sunday 0
    int dayOfYear = 0;  // 0-based
};

CivilTime BreakDown(SimMillis t);
SimMillis FromCivil(int year, int month, int day, int hour, int minute, int second);

// "YYYY-MM-DDTHH:MM:SS" (a blank instead of "T" and a trailing "Z" are accepted).
std::optional<SimMillis> ParseUtc(std::string_view text);
std::string FormatUtc(SimMillis t);  // "YYYY-MM-DDTHH:MM:SSZ", or with ".mmm" when not whole

// The GPS week modulo 1024 (weeks since 1999-08-22, the second 10-bit roll-over epoch, which
// is congruent to weeks since 1980-01-06) and the time of week in milliseconds. The receiver
// keeps its clock in UTC, as the assistance time stamps of the tools do.
int GpsWeek10(SimMillis t);
std::int64_t TimeOfWeekMillis(SimMillis t);

SimMillis WallClockNow();

}  // namespace orbex::sim
