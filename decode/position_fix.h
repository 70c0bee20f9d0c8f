// The fixes of a run: a decoded record that carries a position and says the receiver had a
// fix. Native records count when their positioning mode is 2D or 3D, GGA sentences (of GPS and
// of the GNSS talkers) when their fix quality is not 0 and their position passes the decoder's
// checks; every other record, and a record whose position is empty or out of range, is no fix.
#pragma once

#include <optional>
#include <vector>

#include "decode/geo_point.h"
#include "decode/receiver_state.h"

namespace orbex {

// When a fix was taken. The time of day is known when the record carried a real one; the date
// only when the record or an earlier one carried a real date (native records do; NMEA streams
// have it from ZDA sentences).
struct FixTime {
    int year = 0;  // four digits; 0 when the date is not known
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool hasTime = false;  // false: the record's time of day was missing or out of range

    bool HasDate() const { return hasTime && year > 0 && month >= 1 && month <= 12 && day >= 1; }
    int SecondOfDay() const { return (hour * 60 + minute) * 60 + second; }
    // Seconds since 1970-01-01 of a dated time, for ordering.
    long long Ordinal() const;
    // The same time of day `days` days later (or earlier), keeping the calendar right.
    FixTime ShiftedByDays(int days) const;
};

struct PositionFix {
    GeoPoint position;
    FixTime time;
};

// Why a GGA sentence is no fix, in words ("latitude minutes of 60 or more"); empty for None.
const char* GgaFixProblemText(GgaFixProblem problem);

// The record's position in signed degrees, whether or not it is a fix.
double LatitudeDegreesOf(const ReceiverState& record);
double LongitudeDegreesOf(const ReceiverState& record);

// Turns a stream of decoded records into fixes, carrying the date of native records and ZDA
// sentences over to the GGA sentences that follow, across every midnight. Dates never run
// backwards: a date earlier than the one carried is not taken, and a time of day more than twelve
// hours before the carried one is on the next day.
class FixCollector {
  public:
    // The fix this record is, if it is one.
    std::optional<PositionFix> Take(const ReceiverState& record);

  private:
    // Carries `time` forward when it is later than what is carried.
    void Advance(const FixTime& time);
    // The date of a time of day, nearest to the carried time.
    FixTime Dated(int hour, int minute, int second) const;

    FixTime dated_;  // the latest date with its time of day
};

// Gives the fixes taken before the first dated one (a "$GPGGA" ahead of the epoch's "$GPZDA")
// the date of that fix, a day earlier when their time of day is later than its.
void FillMissingDates(std::vector<PositionFix>& fixes);

}  // namespace orbex
