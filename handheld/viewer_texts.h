// The texts the viewer paints from the record, formatted the same under any locale.
#pragma once

#include <QString>

#include "handheld/nmea_record.h"

namespace orbexce {

// ddmm.mmmm (or dddmm.mmmm) into the three fields of a degrees-minutes-seconds format:
// degrees = int(v) / 100, whole minutes = int(v - degrees x 100), seconds = the decimal part
// of the minutes times 60.
QString PositionText(const char* format, double value);
QString LatitudeText(double value);   // "%3d°%2d'%2.2f"
QString LongitudeText(double value);  // "%2d°%2d'%2.2f"

// The local time of an RMC time and the day it moves the date by.
struct LocalClock {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayAdjustment = 0;  // -1, 0 or +1
};

// Whole hours from the longitude: its whole degrees divided by 15, added east of Greenwich
// and taken away west of it (longitude letter "E" or "W"); no offset without a letter.
int HourOffset(double ggaLongitude, char longitudeLetter);
LocalClock LocalTimeOf(double rmcTime, int hourOffset);
// "hh:mm:ss" with two digits each.
QString ClockText(const LocalClock& clock);
// The RMC date ddmmyy moved by the day adjustment, "yyyy/mm/dd"; a day moved past the end or
// start of its month carries into the month and year.
QString DateText(long ddmmyy, int dayAdjustment);

}  // namespace orbexce
