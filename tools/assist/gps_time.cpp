#include "tools/assist/gps_time.h"

namespace orbex {

namespace {

// Days from 1970-01-01 to the first day of a year (proleptic Gregorian calendar).
std::int64_t DaysBeforeYear(std::int64_t year) {
    const std::int64_t y = year - 1;
    return 365 * (year - 1970) + (y / 4 - y / 100 + y / 400) - (1969 / 4 - 1969 / 100 + 1969 / 400);
}

constexpr std::int64_t kRolloverDay = 10825;  // 1999-08-22, a Sunday, in days since 1970-01-01

}  // namespace

GpsTime GpsTimeOf(const std::tm& utc) {
    // Whole weeks since the roll-over Sunday: the week changes at Sunday 00:00, exactly where
    // the time of week starts again from 0, so the two halves of the stamp always agree.
    const std::int64_t day = DaysBeforeYear(1900 + std::int64_t{utc.tm_year}) + utc.tm_yday;
    const std::int64_t sinceRollover = day - kRolloverDay;
    const std::int64_t weeks = (sinceRollover >= 0 ? sinceRollover : sinceRollover - 6) / 7;
    GpsTime time;
    time.week10 = static_cast<int>(((weeks % 1024) + 1024) % 1024);
    time.timeOfWeek = std::int64_t{utc.tm_sec} + 60 * utc.tm_min + 3600 * utc.tm_hour +
                      86400 * std::int64_t{utc.tm_wday};
    return time;
}

GpsTime GpsTimeOf(std::time_t utc) {
    std::tm broken{};
    gmtime_r(&utc, &broken);
    return GpsTimeOf(broken);
}

}  // namespace orbex
