#include "sim/sim_time.h"

#include <chrono>
#include <cstdio>

namespace orbex::sim {
namespace {

constexpr std::int64_t kMillisPerDay = 86'400'000;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's days_from_civil).
std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

}  // namespace

CivilTime BreakDown(SimMillis t) {
    const std::int64_t days = FloorDiv(t, kMillisPerDay);
    const std::int64_t msOfDay = t - days * kMillisPerDay;
    // civil_from_days
    const std::int64_t z = days + 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    CivilTime c;
    c.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    c.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    c.year = static_cast<int>(yoe + era * 400 + (c.month <= 2 ? 1 : 0));
    c.hour = static_cast<int>(msOfDay / 3'600'000);
    c.minute = static_cast<int>(msOfDay / 60'000 % 60);
    c.second = static_cast<int>(msOfDay / 1000 % 60);
    c.millisecond = static_cast<int>(msOfDay % 1000);
    c.weekday = static_cast<int>(((days + 4) % 7 + 7) % 7);  // 1970-01-01 was a Thursday
    c.dayOfYear = static_cast<int>(days - DaysFromCivil(c.year, 1, 1));
    return c;
}

SimMillis FromCivil(int year, int month, int day, int hour, int minute, int second) {
    return DaysFromCivil(year, month, day) * kMillisPerDay +
           (static_cast<std::int64_t>(hour) * 3600 + minute * 60 + second) * 1000;
}

std::optional<SimMillis> ParseUtc(std::string_view text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char sep = 0;
    std::string copy(text);
    int used = 0;
    if (std::sscanf(copy.c_str(), "%4d-%2d-%2d%c%2d:%2d:%2d%n", &y, &mo, &d, &sep, &h, &mi, &s,
                    &used) != 7) {
        return std::nullopt;
    }
    const std::string_view rest = text.substr(static_cast<std::size_t>(used));
    if ((sep != 'T' && sep != ' ') || !(rest.empty() || rest == "Z")) {
        return std::nullopt;
    }
    if (y < 1980 || y > 2099 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 ||
        s > 59 || h < 0 || mi < 0 || s < 0) {
        return std::nullopt;
    }
    return FromCivil(y, mo, d, h, mi, s);
}

std::string FormatUtc(SimMillis t) {
    const CivilTime c = BreakDown(t);
    char text[40];
    if (c.millisecond == 0) {
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", c.year, c.month, c.day,
                      c.hour, c.minute, c.second);
    } else {
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", c.year, c.month,
                      c.day, c.hour, c.minute, c.second, c.millisecond);
    }
    return text;
}

int GpsWeek10(SimMillis t) {
    const std::int64_t days = FloorDiv(t, kMillisPerDay) - DaysFromCivil(1999, 8, 22);
    return static_cast<int>(((FloorDiv(days, 7) % 1024) + 1024) % 1024);
}

std::int64_t TimeOfWeekMillis(SimMillis t) {
    const std::int64_t sinceSunday = t - DaysFromCivil(1999, 8, 22) * kMillisPerDay;
    const std::int64_t week = 7 * kMillisPerDay;
    return ((sinceSunday % week) + week) % week;
}

SimMillis WallClockNow() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace orbex::sim
