// The standard sentences, found by their commas: the VM8140's fixed-width layout reads as it
// always did, and other receivers' widths read as what they say.
#include <string_view>

#include "decode/nmea_numbers.h"
#include "decode/nmea_sentences.h"
#include "decode/text_fields.h"

namespace orbex {

namespace {

// hhmmss into the hour, minute and second of a record time.
void TimeOfDay(RecordTime& time, std::string_view field) {
    time.hour = Uint8Of(FieldPart(field, 0, 2));
    time.minute = Uint8Of(FieldPart(field, 2, 2));
    time.second = Uint8Of(FieldPart(field, 4, 2));
}

// Reads a latitude or longitude field. The windows' layout of a field that is present goes to
// the record's degrees, minutes, fraction and seconds; an empty field leaves them zero.
AngleField DecodeAngle(std::string_view field, std::int32_t& degrees, std::int32_t& minutes,
                       std::int32_t& minuteFraction, double& seconds) {
    const AngleField angle = ReadAngleField(field);
    if (!field.empty()) {
        degrees = angle.degrees;
        minutes = angle.minutes;
        minuteFraction = angle.minuteFraction;
        seconds = angle.seconds;
    }
    return angle;
}

// Whether the position of a GGA sentence is what it claims: numbers in both coordinates, minutes
// below 60, latitude at most 90 and longitude at most 180 degrees, hemisphere letters the
// decoder reads (N or S, E or W, in either case), and an altitude that, when present, is a
// number.
GgaFixProblem CheckGgaPosition(const ReceiverState& state, const AngleField& latitude,
                               const AngleField& longitude, std::string_view altitude) {
    if (!latitude.wellFormed) {
        return GgaFixProblem::LatitudeNotANumber;
    }
    if (!longitude.wellFormed) {
        return GgaFixProblem::LongitudeNotANumber;
    }
    if (latitude.exactMinutes >= 60.0) {
        return GgaFixProblem::LatitudeMinutes;
    }
    if (longitude.exactMinutes >= 60.0) {
        return GgaFixProblem::LongitudeMinutes;
    }
    if (latitude.exactDegrees > 90.0) {
        return GgaFixProblem::LatitudeRange;
    }
    if (longitude.exactDegrees > 180.0) {
        return GgaFixProblem::LongitudeRange;
    }
    const char ns = state.latHemisphere;
    if (ns != 'N' && ns != 'S' && ns != 'n' && ns != 's') {
        return GgaFixProblem::LatitudeHemisphere;
    }
    const char ew = state.lonHemisphere;
    if (ew != 'E' && ew != 'W' && ew != 'e' && ew != 'w') {
        return GgaFixProblem::LongitudeHemisphere;
    }
    if (!altitude.empty() && !IsPlainNumber(altitude)) {
        return GgaFixProblem::AltitudeNotANumber;
    }
    return GgaFixProblem::None;
}

}  // namespace

int FirstSlotOfMessage(int messageNumber) {
    if (messageNumber == 2) {
        return 4;
    }
    if (messageNumber == 3) {
        return 8;
    }
    if (messageNumber >= 4 && messageNumber <= 127) {
        return 12;
    }
    return 0;
}

void DecodeUsedSatellitesAndDops(FieldWalker& fields, SatelliteSlot (&slots)[kChannelCount],
                                 std::uint8_t SatelliteSlot::*prn, float& pdop, float& hdop,
                                 float& vdop) {
    for (int k = 0; k < 12; ++k) {
        slots[k].*prn = Uint8Of(fields.Next());
    }
    pdop = ParseRealFloat(fields.Next());
    hdop = ParseRealFloat(fields.Next());
    vdop = ParseRealFloat(fields.Next());
}

// $GPGGA,123519,3540.1234,N,13945.6789,E,1,08,00.9,00545.4,M,046.9,M,000*55
// (and the same sentence of the GNSS talkers: $GNGGA, $GLGGA, $GAGGA, $GBGGA, $GQGGA)
// Each field is found by its commas; the VM8140's widths are given for reference.
//  1. time hhmmss, 6 (other receivers add decimals of seconds, which are not read)
//  2. latitude ddmm.fff or ddmm.ffff, 8 or 9 (other receivers: any decimals)
//  3. N/S, 1
//  4. longitude dddmm.fff or dddmm.ffff, 9 or 10
//  5. E/W, 1
//  6. fix quality, 1
//  7. satellites used, 2
//  8. HDOP, 4, real
//  9. altitude, 8 when it begins with "-", else 7, real
// 10. unit, 1; geoid separation, 5; unit, 1 (all skipped)
// 11. age of differential data, 3
// The windows' fields take fewer than four decimals of minutes as three (ggaFourDigitMinutes 0)
// and four or more as four (1); the checked reading keeps every decimal for the exports.
void DecodeGga(ReceiverState& state, FieldWalker& fields) {
    CheckedSentence& checked = state.checked;
    const std::string_view time = fields.Next();
    TimeOfDay(state.altTime, time);
    checked.timeValid = IsValidTimeOfDay(time);

    const std::string_view latitudeField = fields.Next();
    const AngleField latitude = DecodeAngle(latitudeField, state.latDegrees, state.latMinutes,
                                            state.latMinuteFraction, state.latSeconds);
    if (!latitudeField.empty()) {
        state.latMinuteDigits = latitude.fourDecimals ? 4 : 3;
    }
    state.latHemisphere = FieldChar(fields.Next(), 0);

    const std::string_view longitudeField = fields.Next();
    const AngleField longitude = DecodeAngle(longitudeField, state.lonDegrees, state.lonMinutes,
                                             state.lonMinuteFraction, state.lonSeconds);
    state.lonHemisphere = FieldChar(fields.Next(), 0);

    const std::string_view quality = fields.Next();
    state.fixQuality = FieldChar(quality, 0);
    state.satellitesUsed = Uint8Of(fields.Next());
    state.hdop = ParseRealFloat(fields.Next());
    const std::string_view altitudeField = fields.Next();
    const double altitude = ParseReal(altitudeField);
    state.altitude = static_cast<float>(altitude);
    state.altitudeMetres = TruncateToInt32(altitude);
    fields.Skip();
    fields.Skip();
    fields.Skip();
    state.dgpsAge = static_cast<std::uint16_t>(ParseDecimal(fields.Next()));

    checked.claimsFix =
        !quality.empty() && quality != "0" && !latitudeField.empty() && !longitudeField.empty();
    checked.hasAltitude = !altitudeField.empty();
    checked.altitude = altitude;
    checked.problem = CheckGgaPosition(state, latitude, longitude, altitudeField);
    if (checked.problem == GgaFixProblem::None) {
        const bool south = state.latHemisphere == 'S' || state.latHemisphere == 's';
        const bool west = state.lonHemisphere == 'W' || state.lonHemisphere == 'w';
        checked.latDegrees = south ? -latitude.exactDegrees : latitude.exactDegrees;
        checked.lonDegrees = west ? -longitude.exactDegrees : longitude.exactDegrees;
    }
}

// $GPGLL: accepted as it is; nothing is taken from it, not even its tag.
void DecodeGll(ReceiverState&, FieldWalker&) {}

// $GPGSA,A,3,04,05,09,12,24,,,,,,,,02.5,01.3,02.1*09
//  1. selection mode, 1 (skipped)
//  2. fix mode, 1: "1", "2" or "3"
//  3. twelve satellite numbers, 2 each
//  4. PDOP, HDOP, VDOP, 4 each, real
void DecodeGsa(ReceiverState& state, FieldWalker& fields) {
    fields.Skip();
    state.fixMode = FieldChar(fields.Next(), 0);
    DecodeUsedSatellitesAndDops(fields, state.satellites, &SatelliteSlot::gsaPrn, state.pdop,
                                state.hdop, state.vdop);
}

// $GPGSV,3,3,10,24,06,166,35,28,09,271,36*7D
//  1. number of messages, 1; message number, 1; satellites in view, 2
//  2. up to four satellites from the message's first slot (2 -> 4, 3 -> 8, 4 -> 12, else 0):
//     number, 2; elevation, 2; azimuth, 3; SNR, 2
// Message numbers above 4 carry nothing. On the last message of the group, gsvCount is one
// more than the slot of the last satellite present.
void DecodeGsv(ReceiverState& state, FieldWalker& fields) {
    state.gsvTotal = Uint8Of(fields.Next());
    state.gsvNumber = Uint8Of(fields.Next());
    state.gsvInView = Uint8Of(fields.Next());
    state.gsvCount = 0;
    if (state.gsvNumber > 4) {
        return;
    }
    const bool lastMessage = state.gsvTotal == state.gsvNumber;
    const int first = FirstSlotOfMessage(state.gsvNumber);
    for (int slot = first; slot < first + 4; ++slot) {
        SatelliteSlot& satellite = state.satellites[slot];
        const bool present = fields.NextPresent();
        satellite.gsvPrn = Uint8Of(fields.Next());
        if (lastMessage && present) {
            state.gsvCount = static_cast<std::uint8_t>(slot + 1);
        }
        satellite.gsvElevation = Uint8Of(fields.Next());
        satellite.gsvAzimuth = ParseDecimal(fields.Next());
        satellite.gsvSnr = Uint8Of(fields.Next());
    }
}

// $GPVTG,123.4,T,123.4,M,012.3,N,022.8,K*46
// (and $GNVTG, $GLVTG, $GAVTG, $GBVTG, $GQVTG)
//  1. true course ddd.d, 5: whole degrees, and the tenths digit (the one after the decimal
//     point) kept as a character
//  2. "T", 1; magnetic course, 5; "M", 1 (skipped)
//  3. speed in knots, 5, real; "N", 1 (skipped)
//  4. speed in km/h, 5, real
void DecodeVtg(ReceiverState& state, FieldWalker& fields) {
    const std::string_view course = fields.Next();
    state.course = ParseDecimal(course);
    const std::size_t point = course.find('.');
    if (point != std::string_view::npos) {
        state.courseTenthsChar = static_cast<unsigned char>(FieldChar(course, point + 1));
    }
    fields.Skip();
    fields.Skip();
    fields.Skip();
    state.vtgSpeedKnots = ParseRealFloat(fields.Next());
    fields.Skip();
    const std::string_view kmh = fields.Next();
    state.vtgSpeedKmh = ParseRealFloat(kmh);
    state.vtgSpeedPresent = !kmh.empty();
}

// $GPZDA,123519,08,12,2026,00,00*48
// (and $GNZDA, $GLZDA, $GAZDA, $GBZDA, $GQZDA)
//  1. time hhmmss, 6 (other receivers add decimals of seconds, which are not read)
//  2. day, 2; month, 2; year, 4 (the local-zone fields are not read)
void DecodeZda(ReceiverState& state, FieldWalker& fields) {
    const std::string_view time = fields.Next();
    TimeOfDay(state.altTime, time);
    const std::string_view day = fields.Next();
    const std::string_view month = fields.Next();
    const std::string_view year = fields.Next();
    state.altTime.day = Uint8Of(day);
    state.altTime.month = Uint8Of(month);
    state.altTime.year = static_cast<std::int16_t>(ParseDecimal(year));
    // Digits only, and short enough that the record's fields hold them whole.
    state.checked.timeValid =
        IsValidTimeOfDay(time) && IsAllDigits(day) && day.size() <= 2 && IsAllDigits(month) &&
        month.size() <= 2 && IsAllDigits(year) && year.size() <= 4 &&
        IsValidDate(state.altTime.year, state.altTime.month, state.altTime.day);
}

}  // namespace orbex
