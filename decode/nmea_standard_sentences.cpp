// The standard sentences in the receiver's fixed-width layout.
#include <string_view>

#include "decode/decoding_state.h"
#include "decode/nmea_sentences.h"
#include "decode/text_fields.h"

namespace orbex {

namespace {

std::uint8_t Uint8Of(std::string_view text) {
    return static_cast<std::uint8_t>(ParseDecimal(text));
}

// hhmmss into the hour, minute and second of a record time.
void TimeOfDay(RecordTime& time, std::string_view field) {
    time.hour = Uint8Of(FieldPart(field, 0, 2));
    time.minute = Uint8Of(FieldPart(field, 2, 2));
    time.second = Uint8Of(FieldPart(field, 4, 2));
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

// $GPGGA,123519,3540.1234,N,13945.6789,E,1,08,00.9,00545.4,M,046.9,M,000*55
//  1. time hhmmss, 6
//  2. latitude ddmm.fff or ddmm.ffff, 8 or 9 (four decimals unless column 8 of the field is a
//     comma)
//  3. N/S, 1
//  4. longitude dddmm.fff or dddmm.ffff, 9 or 10 (the same test on column 9)
//  5. E/W, 1
//  6. fix quality, 1
//  7. satellites used, 2
//  8. HDOP, 4, real
//  9. altitude, 8 when it begins with "-", else 7, real
// 10. unit, 1; geoid separation, 5; unit, 1 (all skipped)
// 11. age of differential data, 3
void DecodeGga(ReceiverState& state, FieldWalker& fields) {
    TimeOfDay(state.altTime, fields.Next(6));

    if (fields.NextPresent()) {
        const bool threeDecimals = fields.IsFieldEnd(8);
        const std::string_view latitude = fields.Next(threeDecimals ? 8 : 9);
        state.latDegrees = ParseDecimal(FieldPart(latitude, 0, 2));
        state.latMinutes = ParseDecimal(FieldPart(latitude, 2, 2));
        state.latMinuteFraction = ParseDecimal(FieldPart(latitude, 5, threeDecimals ? 3 : 4));
        state.latSeconds = state.latMinuteFraction * (threeDecimals ? 0.06 : 0.006);
        SharedDecodingState().ggaFourDigitMinutes = threeDecimals ? 0 : 1;
    } else {
        fields.Skip(8);
    }
    state.latHemisphere = FieldChar(fields.Next(1), 0);

    if (fields.NextPresent()) {
        const bool threeDecimals = fields.IsFieldEnd(9);
        const std::string_view longitude = fields.Next(threeDecimals ? 9 : 10);
        state.lonDegrees = ParseDecimal(FieldPart(longitude, 0, 3));
        state.lonMinutes = ParseDecimal(FieldPart(longitude, 3, 2));
        state.lonMinuteFraction = ParseDecimal(FieldPart(longitude, 6, threeDecimals ? 3 : 4));
        state.lonSeconds = state.lonMinuteFraction * (threeDecimals ? 0.06 : 0.006);
    } else {
        fields.Skip(9);
    }
    state.lonHemisphere = FieldChar(fields.Next(1), 0);

    state.fixQuality = FieldChar(fields.Next(1), 0);
    state.satellitesUsed = Uint8Of(fields.Next(2));
    state.hdop = ParseRealFloat(fields.Next(4));
    const double altitude = ParseReal(fields.Next(fields.PeekNext(0) == '-' ? 8 : 7));
    state.altitude = static_cast<float>(altitude);
    state.altitudeMetres = TruncateToInt32(altitude);
    fields.Skip(1);
    fields.Skip(5);
    fields.Skip(1);
    state.dgpsAge = static_cast<std::uint16_t>(ParseDecimal(fields.Next(3)));
}

// $GPGLL: accepted as it is; nothing is taken from it, not even its tag.
void DecodeGll(ReceiverState&, FieldWalker&) {}

// $GPGSA,A,3,04,05,09,12,24,,,,,,,,02.5,01.3,02.1*09
//  1. selection mode, 1 (skipped)
//  2. fix mode, 1: "1", "2" or "3"
//  3. twelve satellite numbers, 2 each
//  4. PDOP, HDOP, VDOP, 4 each, real
void DecodeGsa(ReceiverState& state, FieldWalker& fields) {
    fields.Skip(1);
    state.fixMode = FieldChar(fields.Next(1), 0);
    for (int k = 0; k < 12; ++k) {
        state.satellites[k].gsaPrn = Uint8Of(fields.Next(2));
    }
    state.pdop = ParseRealFloat(fields.Next(4));
    state.hdop = ParseRealFloat(fields.Next(4));
    state.vdop = ParseRealFloat(fields.Next(4));
}

// $GPGSV,3,3,10,24,06,166,35,28,09,271,36*7D
//  1. number of messages, 1; message number, 1; satellites in view, 2
//  2. up to four satellites from the message's first slot (2 -> 4, 3 -> 8, 4 -> 12, else 0):
//     number, 2; elevation, 2; azimuth, 3; SNR, 2
// Message numbers above 4 carry nothing. On the last message of the group, gsvCount is one
// more than the slot of the last satellite present.
void DecodeGsv(ReceiverState& state, FieldWalker& fields) {
    state.gsvTotal = Uint8Of(fields.Next(1));
    state.gsvNumber = Uint8Of(fields.Next(1));
    state.gsvInView = Uint8Of(fields.Next(2));
    state.gsvCount = 0;
    if (state.gsvNumber > 4) {
        return;
    }
    const bool lastMessage = state.gsvTotal == state.gsvNumber;
    const int first = FirstSlotOfMessage(state.gsvNumber);
    for (int slot = first; slot < first + 4; ++slot) {
        SatelliteSlot& satellite = state.satellites[slot];
        const bool present = fields.NextPresent();
        satellite.gsvPrn = Uint8Of(fields.Next(2));
        if (lastMessage && present) {
            state.gsvCount = static_cast<std::uint8_t>(slot + 1);
        }
        satellite.gsvElevation = Uint8Of(fields.Next(2));
        satellite.gsvAzimuth = ParseDecimal(fields.Next(3));
        satellite.gsvSnr = Uint8Of(fields.Next(2));
    }
}

// $GPVTG,123.4,T,123.4,M,012.3,N,022.8,K*46
//  1. true course ddd.d, 5: whole degrees from its first 3 characters, tenths digit kept as a
//     character
//  2. "T", 1; magnetic course, 5; "M", 1 (skipped)
//  3. speed in knots, 5, real; "N", 1 (skipped)
//  4. speed in km/h, 5, real
void DecodeVtg(ReceiverState& state, FieldWalker& fields) {
    const std::string_view course = fields.Next(5);
    state.course = ParseDecimal(FieldPart(course, 0, 3));
    state.courseTenthsChar = static_cast<unsigned char>(FieldChar(course, 4));
    fields.Skip(1);
    fields.Skip(5);
    fields.Skip(1);
    state.vtgSpeedKnots = ParseRealFloat(fields.Next(5));
    fields.Skip(1);
    state.vtgSpeedKmh = ParseRealFloat(fields.Next(5));
}

// $GPZDA,123519,08,12,2026,00,00*48
//  1. time hhmmss, 6
//  2. day, 2; month, 2; year, 4 (the local-zone fields are not read)
void DecodeZda(ReceiverState& state, FieldWalker& fields) {
    TimeOfDay(state.altTime, fields.Next(6));
    state.altTime.day = Uint8Of(fields.Next(2));
    state.altTime.month = Uint8Of(fields.Next(2));
    state.altTime.year = static_cast<std::int16_t>(ParseDecimal(fields.Next(4)));
}

}  // namespace orbex
