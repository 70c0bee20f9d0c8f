#include "decode/position_fix.h"

#include <cmath>
#include <cstring>
#include <string_view>

#include "decode/nmea_numbers.h"

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

bool IsRealTimeOfDay(const RecordTime& t) {
    return t.hour < 24 && t.minute < 60 && t.second < 60;
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

const char* GgaFixProblemText(GgaFixProblem problem) {
    struct ProblemText {
        GgaFixProblem problem;
        const char* text;
    };
    static constexpr ProblemText kTexts[] = {
        {GgaFixProblem::LatitudeNotANumber, "latitude is not a number"},
        {GgaFixProblem::LongitudeNotANumber, "longitude is not a number"},
        {GgaFixProblem::LatitudeMinutes, "latitude minutes of 60 or more"},
        {GgaFixProblem::LongitudeMinutes, "longitude minutes of 60 or more"},
        {GgaFixProblem::LatitudeRange, "latitude over 90 degrees"},
        {GgaFixProblem::LongitudeRange, "longitude over 180 degrees"},
        {GgaFixProblem::LatitudeHemisphere, "latitude hemisphere is not N or S"},
        {GgaFixProblem::LongitudeHemisphere, "longitude hemisphere is not E or W"},
        {GgaFixProblem::AltitudeNotANumber, "altitude is not a number"},
    };
    for (const ProblemText& row : kTexts) {
        if (row.problem == problem) {
            return row.text;
        }
    }
    return "";  // GgaFixProblem::None
}

long long FixTime::Ordinal() const {
    return static_cast<long long>(DaysFromCivil(year, month, day)) * 86400 + SecondOfDay();
}

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

void FixCollector::Advance(const FixTime& time) {
    if (!dated_.HasDate() || time.Ordinal() > dated_.Ordinal()) {
        dated_ = time;
    }
}

FixTime FixCollector::Dated(int hour, int minute, int second) const {
    FixTime time{dated_.year, dated_.month, dated_.day, hour, minute, second, true};
    constexpr int kHalfDay = 12 * 60 * 60;
    const int difference = time.SecondOfDay() - dated_.SecondOfDay();
    if (difference < -kHalfDay) {
        return time.ShiftedByDays(1);  // midnight has passed since
    }
    if (difference > kHalfDay) {
        return time.ShiftedByDays(-1);  // a late sentence from before the last midnight
    }
    return time;
}

std::optional<PositionFix> FixCollector::Take(const ReceiverState& record) {
    const std::string_view kind = record.kind;
    const bool sentence = kind.size() == 6 && kind[0] == '$';
    PositionFix result;
    const RecordTime* t = nullptr;
    bool timeValid = false;
    if (IsNativeRecord(record)) {
        t = &record.nativeTime;
        timeValid = IsRealTimeOfDay(*t);
        // Two-digit years: 1980..2079, as the monitor windows show them.
        const int year = t->year < 80 ? 2000 + t->year : 1900 + t->year;
        if (timeValid && IsValidDate(year, t->month, t->day)) {
            Advance(FixTime{year, t->month, t->day, t->hour, t->minute, t->second, true});
        }
        if (record.fixMode != '3' && record.fixMode != '4') {
            return std::nullopt;
        }
        result.position.latDegrees = LatitudeDegreesOf(record);
        result.position.lonDegrees = LongitudeDegreesOf(record);
        if (!HasPosition(record, result.position.latDegrees, result.position.lonDegrees)) {
            return std::nullopt;
        }
        result.position.altitude = record.altitude;
    } else if (sentence && kind.substr(3) == "ZDA") {
        const RecordTime& z = record.altTime;
        if (record.checked.timeValid) {
            Advance(FixTime{z.year, z.month, z.day, z.hour, z.minute, z.second, true});
        }
        return std::nullopt;
    } else if (sentence && kind.substr(3) == "GGA") {
        const CheckedSentence& checked = record.checked;
        if (!checked.claimsFix || checked.problem != GgaFixProblem::None) {
            return std::nullopt;
        }
        t = &record.altTime;
        timeValid = checked.timeValid;
        result.position.latDegrees = checked.latDegrees;
        result.position.lonDegrees = checked.lonDegrees;
        result.position.altitude = checked.hasAltitude ? checked.altitude : std::nan("");
    } else {
        return std::nullopt;
    }
    if (!timeValid) {
        return result;  // a fix whose time is not known
    }
    result.time = FixTime{0, 0, 0, t->hour, t->minute, t->second, true};
    if (dated_.HasDate()) {
        result.time = Dated(t->hour, t->minute, t->second);
        Advance(result.time);
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
        if (!t.hasTime) {
            continue;
        }
        const FixTime sameDay{date.year, date.month, date.day, t.hour, t.minute, t.second, true};
        fix->time =
            sameDay.SecondOfDay() > date.SecondOfDay() ? sameDay.ShiftedByDays(-1) : sameDay;
    }
}

}  // namespace orbex
