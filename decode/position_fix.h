// The fixes of a run: a decoded record that carries a position and says the receiver had a
// fix. Native records count when their positioning mode is 2D or 3D, "$GPGGA" sentences when
// their fix quality is not 0; every other record, and a record whose position is empty or out
// of range, is no fix.
#pragma once

#include <optional>
#include <vector>

#include "decode/geo_point.h"
#include "decode/receiver_state.h"

namespace orbex {

// When a fix was taken. The date is known only when the record or an earlier one carried it
// (native records do; NMEA streams have it from "$GPZDA").
struct FixTime {
    int year = 0;  // four digits; 0 when the date is not known
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool HasDate() const { return year > 0 && month >= 1 && month <= 12 && day >= 1; }
    int SecondOfDay() const { return (hour * 60 + minute) * 60 + second; }
    // The same time of day `days` days later (or earlier), keeping the calendar right.
    FixTime ShiftedByDays(int days) const;
};

struct PositionFix {
    GeoPoint position;
    FixTime time;
};

// The record's position in signed degrees, whether or not it is a fix.
double LatitudeDegreesOf(const ReceiverState& record);
double LongitudeDegreesOf(const ReceiverState& record);

// Turns a stream of decoded records into fixes, carrying the date of native records and
// "$GPZDA" over to the "$GPGGA" sentences that follow.
class FixCollector {
  public:
    // The fix this record is, if it is one.
    std::optional<PositionFix> Take(const ReceiverState& record);

  private:
    FixTime dated_;  // the last date with its time of day
};

// Gives the fixes taken before the first dated one (a "$GPGGA" ahead of the epoch's "$GPZDA")
// the date of that fix, a day earlier when their time of day is later than its.
void FillMissingDates(std::vector<PositionFix>& fixes);

}  // namespace orbex
