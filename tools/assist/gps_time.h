// The GPS time of the assistance header's time stamp, from the computer's clock in UTC: the
// week as the receiver counts it (10 bits, weeks since the roll-over of 22 August 1999, which
// is the same as weeks since 6 January 1980 modulo 1024) and the time of week from Sunday 00:00.
#pragma once

#include <cstdint>
#include <ctime>

namespace orbex {

struct GpsTime {
    int week10 = 0;               // 0..1023
    std::int64_t timeOfWeek = 0;  // seconds since Sunday 00:00 UTC, 0..604799
};

// From a broken-down UTC time (tm_year, tm_yday, tm_wday, tm_hour, tm_min, tm_sec are used).
GpsTime GpsTimeOf(const std::tm& utc);
GpsTime GpsTimeOf(std::time_t utc);

}  // namespace orbex
