// The record one received line is decoded into. Every line gets a fresh, zeroed record; a field
// the line does not carry stays zero. Monitor windows copy it whole.
#pragma once

#include <cstdint>

namespace orbex {

// Date and time of one record. The native record's times fill year..second and dayCode; the
// 4-channel record and "$GPZDA" fill the same fields of altTime.
struct RecordTime {
    std::int16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    char dayCode = 0;  // time base and weekday: "0".."6" UTC, "A".."G" GPS, "a".."g" manual
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
};

// One receiver channel. Native and 4-channel records fill the code characters; the NMEA
// sentences fill the numeric fields. Fields that could share storage are kept apart.
struct SatelliteSlot {
    char prnCode = 0;           // "A".."X" = 1..24, "a".."h" = 25..32; 4-channel: 64 + number
    std::uint8_t gsaPrn = 0;    // "$GPGSA" field order
    std::uint8_t psgsaPrn = 0;  // "$PSGSA" field order
    std::uint8_t gsvPrn = 0;    // "$GPGSV"
    char elevationCode = 0;     // tens of degrees; 4-channel: "A"
    std::uint8_t gsvElevation = 0;
    char azimuthCode = 0;  // tens of degrees, signed; 4-channel: "A"
    std::int32_t gsvAzimuth = 0;
    char statusCode = 0;      // "A" unlocked .. "F" decoding
    char levelCode = 0;       // level = code - "A"
    std::uint8_t gsvSnr = 0;  // dB-Hz
};

// One satellite entry of "$PSSST". The decoder marks empty fields with 0xFF.
struct ExtSatelliteSlot {
    std::uint8_t prn = 0;
    char code = 0;
    std::uint8_t digitA = 0;
    std::uint8_t digitB = 0;
    std::int32_t value = 0;
};

inline constexpr int kChannelCount = 16;

// Why a GGA sentence that claims a fix (a fix quality other than "0" and both coordinates
// present) is not one for the exports and statistics: its position is not what it claims.
enum class GgaFixProblem : std::uint8_t {
    None,
    LatitudeNotANumber,
    LongitudeNotANumber,
    LatitudeMinutes,
    LongitudeMinutes,
    LatitudeRange,
    LongitudeRange,
    LatitudeHemisphere,
    LongitudeHemisphere,
    AltitudeNotANumber,
};

// What a GGA sentence (of any talker) or a ZDA sentence says at full precision, checked, for the
// exports and statistics. The monitor windows read the fields of ReceiverState instead, which
// keep the receiver's layout (three or four decimals of minutes).
struct CheckedSentence {
    bool claimsFix = false;  // GGA: fix quality present and not "0", both coordinates present
    GgaFixProblem problem = GgaFixProblem::None;  // GGA: why the claimed fix is refused
    bool timeValid = false;    // GGA, ZDA: a real time of day (and ZDA: a real date)
    bool hasAltitude = false;  // GGA: the altitude field is present
    double latDegrees = 0;     // GGA: signed, every decimal the receiver sent
    double lonDegrees = 0;
    double altitude = 0;  // GGA: metres
};

struct ReceiverState {
    char kind[20] = {};  // native: first six characters; 4-channel: "N"/"O"; NMEA: the tag
    RecordTime nativeTime;
    RecordTime altTime;
    std::int32_t extDatePresent = 0;
    std::uint8_t extDate[4] = {};
    char latHemisphere = 0;
    std::int32_t latDegrees = 0;
    std::int32_t latMinutes = 0;
    std::int32_t latMinuteFraction = 0;
    // "$GPGGA": how many digits latMinuteFraction holds, 3 or 4 (4 when the sentence had four
    // or more decimals of minutes); 0 when its latitude field was empty. Not shown by itself:
    // the decoder keeps the last one for the windows (ggaFourDigitMinutes).
    std::uint8_t latMinuteDigits = 0;
    double latSeconds = 0;
    char lonHemisphere = 0;
    std::int32_t lonDegrees = 0;
    std::int32_t lonMinutes = 0;
    std::int32_t lonMinuteFraction = 0;
    double lonSeconds = 0;
    std::int32_t altitudeMetres = 0;
    float altitude = 0;
    std::int32_t speedKmhWhole = 0;
    float vtgSpeedKmh = 0;
    float vtgSpeedKnots = 0;
    bool vtgSpeedPresent = false;  // "$GPVTG": the km/h field holds a speed (empty without a fix)
    std::int32_t course = 0;
    std::int32_t courseTenthsChar = 0;
    RecordTime fixTime;
    RecordTime altFixTime;  // always zero
    char dopCode[4] = {};
    float pdop = 0;
    float hdop = 0;
    float vdop = 0;
    char fixQuality = 0;
    std::uint8_t satellitesUsed = 0;
    std::uint8_t gsvInView = 0;
    std::uint8_t gsvTotal = 0;
    std::uint8_t gsvNumber = 0;
    std::uint8_t gsvCount = 0;
    char fixMode = 0;
    char datumCode = 0;
    char psgsaMode = 0;
    float psgsaPdop = 0;
    float psgsaHdop = 0;
    float psgsaVdop = 0;
    SatelliteSlot satellites[kChannelCount] = {};
    ExtSatelliteSlot extSatellites[kChannelCount] = {};
    char nativeFlag = 0;
    std::uint8_t nativeLetterValue = 0;
    char nativeTailText[3] = {};
    char nativeLastChar = 0;
    std::uint8_t pvlmValue = 0;
    std::uint16_t dgpsAge = 0;  // three digits: up to 999 seconds
    std::uint8_t pextFlags[12] = {};
    std::int32_t psgsaValue = 0;
    char psgsaTail[2] = {};
    CheckedSentence checked;  // not shown by the windows
};

}  // namespace orbex
