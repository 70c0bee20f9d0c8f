#include "decode/position_fix.h"

#include <cmath>
#include <cstring>

namespace orbex {

namespace {

double SignedDegrees(char hemisphere, char negative, std::int32_t degrees, std::int32_t minutes,
                     double seconds) {
    const double value = degrees + minutes / 60.0 + seconds / 3600.0;
    const bool flip = hemisphere == negative || hemisphere == negative + ('a' - 'A');
    return flip ? -value : value;
}

bool IsNativeRecord(const ReceiverState& record) {
    return std::strncmp(record.kind, "SM", 2) == 0 || std::strncmp(record.kind, "D0", 2) == 0 ||
           std::strncmp(record.kind, "C6", 2) == 0;
}

bool HasPosition(const ReceiverState& record, double lat, double lon) {
    return record.latHemisphere != 0 && record.lonHemisphere != 0 && std::isfinite(lat) &&
           std::isfinite(lon) && std::fabs(lat) <= 90.0 && std::fabs(lon) <= 180.0;
}

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian calendar).
long DaysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(long days, int& year, int& month, int& day) {
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const long dayOfEra = days - era * 146097;
    const long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

}  // namespace

FixTime FixTime::ShiftedByDays(int days) const {
    FixTime shifted = *this;
    CivilFromDays(DaysFromCivil(year, month, day) + days, shifted.year, shifted.month, shifted.day);
    return shifted;
}

double LatitudeDegreesOf(const ReceiverState& record) {
    return SignedDegrees(record.latHemisphere, 'S', record.latDegrees, record.latMinutes,
                         record.latSeconds);
}

double LongitudeDegreesOf(const ReceiverState& record) {
    return SignedDegrees(record.lonHemisphere, 'W', record.lonDegrees, record.lonMinutes,
                         record.lonSeconds);
}

std::optional<PositionFix> FixCollector::Take(const ReceiverState& record) {
    bool fix = false;
    const RecordTime& t = IsNativeRecord(record) ? record.nativeTime : record.altTime;
    if (IsNativeRecord(record)) {
        if (t.month >= 1 && t.month <= 12) {
            // Two-digit years: below 80 in this century, as the monitor windows show them.
            const int year = t.year < 80 ? 2000 + t.year : 1900 + t.year;
            dated_ = FixTime{year, t.month, t.day, t.hour, t.minute, t.second};
        }
        fix = record.fixMode == '3' || record.fixMode == '4';
    } else if (std::strcmp(record.kind, "$GPZDA") == 0) {
        dated_ = FixTime{t.year, t.month, t.day, t.hour, t.minute, t.second};
    } else if (std::strcmp(record.kind, "$GPGGA") == 0) {
        fix = record.fixQuality != 0 && record.fixQuality != '0';
    }
    if (!fix) {
        return std::nullopt;
    }
    PositionFix result;
    result.position.latDegrees = LatitudeDegreesOf(record);
    result.position.lonDegrees = LongitudeDegreesOf(record);
    if (!HasPosition(record, result.position.latDegrees, result.position.lonDegrees)) {
        return std::nullopt;
    }
    result.position.altitude = record.altitude;
    result.time = FixTime{0, 0, 0, t.hour, t.minute, t.second};
    if (dated_.HasDate()) {
        // A time of day earlier than the last dated one has passed midnight since.
        const FixTime sameDay{dated_.year, dated_.month, dated_.day, t.hour, t.minute, t.second};
        result.time =
            sameDay.SecondOfDay() < dated_.SecondOfDay() ? sameDay.ShiftedByDays(1) : sameDay;
    }
    return result;
}

void FillMissingDates(std::vector<PositionFix>& fixes) {
    auto firstDated = fixes.begin();
    while (firstDated != fixes.end() && !firstDated->time.HasDate()) {
        ++firstDated;
    }
    if (firstDated == fixes.end()) {
        return;
    }
    const FixTime date = firstDated->time;
    for (auto fix = fixes.begin(); fix != firstDated; ++fix) {
        const FixTime& t = fix->time;
        const FixTime sameDay{date.year, date.month, date.day, t.hour, t.minute, t.second};
        fix->time =
            sameDay.SecondOfDay() > date.SecondOfDay() ? sameDay.ShiftedByDays(-1) : sameDay;
    }
}

}  // namespace orbex
