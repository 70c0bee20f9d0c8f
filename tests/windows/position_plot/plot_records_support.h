// Records as the decoders produce them, for feeding the position plot in tests.
#pragma once

#include <cmath>
#include <cstring>

#include "decode/position_samples.h"
#include "decode/receiver_state.h"

namespace orbex::test {

inline ReceiverState RecordOfKind(const char* kind) {
    ReceiverState record;
    std::strncpy(record.kind, kind, sizeof record.kind - 1);
    return record;
}

// Fills a latitude or longitude group from signed arc-seconds, with three minute decimals.
inline void SetLatitude(ReceiverState& r, double arcSec) {
    const double a = std::fabs(arcSec);
    r.latHemisphere = arcSec < 0 ? 'S' : 'N';
    r.latDegrees = static_cast<int>(a / 3600);
    r.latMinutes = static_cast<int>((a - r.latDegrees * 3600.0) / 60);
    r.latSeconds = a - r.latDegrees * 3600.0 - r.latMinutes * 60.0;
    r.latMinuteFraction = static_cast<int>(std::lround(r.latSeconds / 0.06));
}

inline void SetLongitude(ReceiverState& r, double arcSec) {
    const double a = std::fabs(arcSec);
    r.lonHemisphere = arcSec < 0 ? 'W' : 'E';
    r.lonDegrees = static_cast<int>(a / 3600);
    r.lonMinutes = static_cast<int>((a - r.lonDegrees * 3600.0) / 60);
    r.lonSeconds = a - r.lonDegrees * 3600.0 - r.lonMinutes * 60.0;
    r.lonMinuteFraction = static_cast<int>(std::lround(r.lonSeconds / 0.06));
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
