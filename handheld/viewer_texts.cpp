#include "handheld/viewer_texts.h"

#include <algorithm>

#include "handheld/nmea_fields.h"

namespace orbexce {
namespace {

QString TwoDigits(int value) {
    // "0%d" below 10, else "%d".
    return value < 10 ? QString::asprintf("0%d", value) : QString::asprintf("%d", value);
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 31;
    }
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

QString PositionText(const char* format, double value) {
    const int whole = TruncateToInt(value);
    const int degrees = whole / 100;
    const int minutes = TruncateToInt(value - degrees * 100.0);
    const double seconds = (value - whole) * 60.0;
    // QString::asprintf formats numbers in the C locale, so "." stays the decimal point.
    return QString::asprintf(format, degrees, minutes, seconds);
}

QString LatitudeText(double value) {
    return PositionText("%3d\u00B0%2d'%2.2f", value);
}

QString LongitudeText(double value) {
    return PositionText("%2d\u00B0%2d'%2.2f", value);
}

int HourOffset(double ggaLongitude, char longitudeLetter) {
    // No longitude lies past 180 degrees either way: a garbled one moves the clock by 12 hours
    // at most.
    const int degrees = std::clamp(TruncateToInt(ggaLongitude) / 100, -180, 180);
    const int hours = degrees / 15;
    if (longitudeLetter == 'E') {
        return hours;
    }
    if (longitudeLetter == 'W') {
        return -hours;
    }
    return 0;
}

LocalClock LocalTimeOf(double rmcTime, int hourOffset) {
    const long t = TruncateToInt(rmcTime);
    LocalClock clock;
    clock.minute = static_cast<int>((t / 100) % 100);
    clock.second = static_cast<int>(t % 100);
    const long hour = t / 10000 + hourOffset;
    if (hour > 23) {
        clock.hour = static_cast<int>(hour - 24);
        clock.dayAdjustment = 1;
    } else if (hour < 0) {
        clock.hour = static_cast<int>(hour + 24);
        clock.dayAdjustment = -1;
    } else {
        clock.hour = static_cast<int>(hour);
    }
    return clock;
}

QString ClockText(const LocalClock& clock) {
    return TwoDigits(clock.hour) + QLatin1Char(':') + TwoDigits(clock.minute) + QLatin1Char(':') +
           TwoDigits(clock.second);
}

QString DateText(long ddmmyy, int dayAdjustment) {
    int day = static_cast<int>(ddmmyy / 10000 % 100);
    int month = static_cast<int>(ddmmyy / 100 % 100);
    int year = 2000 + static_cast<int>(ddmmyy % 100);
    day += dayAdjustment;
    if (month >= 1 && month <= 12) {
        if (day > DaysInMonth(year, month) && dayAdjustment > 0) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        } else if (day < 1 && dayAdjustment < 0) {
            if (--month < 1) {
                month = 12;
                --year;
            }
            day = DaysInMonth(year, month);
        }
    }
    return QString::asprintf("%d/", year) + TwoDigits(month) + QLatin1Char('/') + TwoDigits(day);
}

}  // namespace orbexce
