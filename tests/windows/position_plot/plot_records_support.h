// Records as the decoders produce them, for feeding the position plot in tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "decode/position_samples.h"
#include "decode/receiver_state.h"

namespace orbex::test {

inline ReceiverState RecordOfKind(const char* kind) {
    ReceiverState record;
    std::strncpy(record.kind, kind, sizeof record.kind - 1);
    return record;
}

// The fields of one latitude or longitude group of a record.
struct AngleGroup {
    char& hemisphere;
    std::int32_t& degrees;
    std::int32_t& minutes;
    double& seconds;
    std::int32_t& minuteFraction;
};

// Fills the group from signed arc-seconds, with three minute decimals; `negative` is the
// hemisphere of negative angles, `positive` that of the others.
inline void SetAngle(AngleGroup group, double arcSec, char positive, char negative) {
    const double a = std::fabs(arcSec);
    group.hemisphere = arcSec < 0 ? negative : positive;
    group.degrees = static_cast<int>(a / 3600);
    group.minutes = static_cast<int>((a - group.degrees * 3600.0) / 60);
    group.seconds = a - group.degrees * 3600.0 - group.minutes * 60.0;
    group.minuteFraction = static_cast<int>(std::lround(group.seconds / 0.06));
}

inline void SetLatitude(ReceiverState& r, double arcSec) {
    SetAngle({r.latHemisphere, r.latDegrees, r.latMinutes, r.latSeconds, r.latMinuteFraction},
             arcSec, 'N', 'S');
}

inline void SetLongitude(ReceiverState& r, double arcSec) {
    SetAngle({r.lonHemisphere, r.lonDegrees, r.lonMinutes, r.lonSeconds, r.lonMinuteFraction},
             arcSec, 'E', 'W');
}

// A "$GPGGA" with a fix at the position; adds its position sample to `samples` as the line
// decoder does.
inline ReceiverState Gga(PositionSamples& samples, double latArcSec, double lonArcSec,
                         float altitude = 45.5f) {
    ReceiverState r = RecordOfKind("$GPGGA");
    SetLatitude(r, latArcSec);
    SetLongitude(r, lonArcSec);
    r.altitude = altitude;
    r.fixQuality = '1';
    samples.Add(r);
    return r;
}

// The "$GPGGA" of a receiver without a fix: empty position fields, quality "0", no sample.
inline ReceiverState GgaWithoutFix() {
    ReceiverState r = RecordOfKind("$GPGGA");
    r.fixQuality = '0';
    return r;
}

inline ReceiverState Zda(int hour, int minute, int second) {
    ReceiverState r = RecordOfKind("$GPZDA");
    r.altTime.year = 2026;
    r.altTime.month = 12;
    r.altTime.day = 8;
    r.altTime.hour = static_cast<std::uint8_t>(hour);
    r.altTime.minute = static_cast<std::uint8_t>(minute);
    r.altTime.second = static_cast<std::uint8_t>(second);
    return r;
}

// A native record at the position; one of kind "SM" adds its position sample to `samples` as
// the line decoder does.
inline ReceiverState Native(PositionSamples& samples, const char* kind, double latArcSec,
                            double lonArcSec) {
    ReceiverState r = RecordOfKind(kind);
    SetLatitude(r, latArcSec);
    SetLongitude(r, lonArcSec);
    r.nativeTime = {3, 7, 14, '2', 9, 5, 30};
    r.altitude = 12.25f;
    r.speedKmhWhole = 42;
    r.dopCode[0] = 'C';
    if (std::strncmp(kind, "SM", 2) == 0) {
        samples.Add(r);
    }
    return r;
}

}  // namespace orbex::test
