// The receiver's two fixed-column records. Columns are 0-based byte positions. A column past
// the line's end reads as empty (0 for numbers, NUL for characters), so the decoders are safe on
// any line, although the dispatcher hands them only lines of their exact length.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "decode/decode_line.h"
#include "decode/record_code.h"
#include "decode/text_fields.h"

namespace orbex {

namespace {

std::int32_t DecimalAt(std::string_view line, std::size_t column, std::size_t width) {
    return ParseDecimal(FieldPart(line, column, width));
}

std::uint8_t Uint8At(std::string_view line, std::size_t column, std::size_t width) {
    return static_cast<std::uint8_t>(DecimalAt(line, column, width));
}

// Copies up to `width` characters from `column` into a text field, NUL-terminated.
template <std::size_t N>
void TextAt(char (&text)[N], std::string_view line, std::size_t column, std::size_t width) {
    static_assert(N > 0);
    const std::string_view part = FieldPart(line, column, width < N ? width : N - 1);
    part.copy(text, part.size());
    text[part.size()] = '\0';
}

// A date and time written as yy mm dd, a day code, then hh mm ss.
void DateTimeAt(RecordTime& time, std::string_view line, std::size_t column) {
    time.year = static_cast<std::int16_t>(DecimalAt(line, column, 2));
    time.month = Uint8At(line, column + 2, 2);
    time.day = Uint8At(line, column + 4, 2);
    time.dayCode = FieldChar(line, column + 6);
    time.hour = Uint8At(line, column + 7, 2);
    time.minute = Uint8At(line, column + 9, 2);
    time.second = Uint8At(line, column + 11, 2);
}

}  // namespace

// Native record, 148 characters plus CR LF. Sample, columns 0-62 and 63-147:
// SMV1042608153123456N3540123E13945678000450122702608153123455C4A
// AJcCBBJcCCCJcCDDJcCEEJcCFFJcCGGJcCHHJcCIIJcCJJJcCKKJcCLLJcCMMJcCNNJcCOOJcCPPJcCQ1CEFZ
//  1. kind, 6, text (columns 0-5)
//  2. year, month, day, 2 each (6-11); day code, 1 (12); hour, minute, second, 2 each (13-18)
//  3. latitude hemisphere, 1 (19); degrees, 2 (20-21); minutes, 2 (22-23);
//     tenths of seconds, 3 (24-26)
//  4. longitude hemisphere, 1 (27); degrees, 3 (28-30); minutes, 2 (31-32);
//     tenths of seconds, 3 (33-35)
//  5. altitude in metres, 5 (36-40); speed in km/h, 3 (41-43); course in degrees, 3 (44-46)
//  6. time of the last position update as in 2, 13 (47-59)
//  7. DOP class code, 1 (60); positioning mode, 1 (61); datum code, 1 (62)
//  8. 16 channels of 5 code characters: satellite, elevation, azimuth, status, level (63-142)
//  9. flag, 1 (143); letter value, 1 (144); hundredths of the latitude and longitude seconds
//     as letters from "A", 1 each (145-146); last character, 1 (147)
// 10. CR LF (148-149)
void DecodeNativeRecord(ReceiverState& state, std::string_view line) {
    TextAt(state.kind, line, 0, 6);
    DateTimeAt(state.nativeTime, line, 6);

    const int latHundredths = CodeValue(FieldChar(line, 145)) - 'A';
    const int lonHundredths = CodeValue(FieldChar(line, 146)) - 'A';
    state.latHemisphere = FieldChar(line, 19);
    state.latDegrees = DecimalAt(line, 20, 2);
    state.latMinutes = DecimalAt(line, 22, 2);
    state.latSeconds = DecimalAt(line, 24, 3) * 0.1 + latHundredths * 0.01;
    state.lonHemisphere = FieldChar(line, 27);
    state.lonDegrees = DecimalAt(line, 28, 3);
    state.lonMinutes = DecimalAt(line, 31, 2);
    state.lonSeconds = DecimalAt(line, 33, 3) * 0.1 + lonHundredths * 0.01;

    state.altitudeMetres = DecimalAt(line, 36, 5);
    state.altitude = static_cast<float>(state.altitudeMetres);
    state.speedKmhWhole = DecimalAt(line, 41, 3);
    state.course = DecimalAt(line, 44, 3);
    DateTimeAt(state.fixTime, line, 47);

    TextAt(state.dopCode, line, 60, 1);
    state.fixMode = FieldChar(line, 61);
    state.datumCode = FieldChar(line, 62);
    for (int k = 0; k < kChannelCount; ++k) {
        const std::size_t column = 63 + 5 * static_cast<std::size_t>(k);
        SatelliteSlot& slot = state.satellites[k];
        slot.prnCode = FieldChar(line, column);
        slot.elevationCode = FieldChar(line, column + 1);
        slot.azimuthCode = FieldChar(line, column + 2);
        slot.statusCode = FieldChar(line, column + 3);
        slot.levelCode = FieldChar(line, column + 4);
    }

    state.nativeFlag = FieldChar(line, 143);
    state.nativeLetterValue = static_cast<std::uint8_t>(CodeValue(FieldChar(line, 144)) - 'A');
    TextAt(state.nativeTailText, line, 145, 2);
    state.nativeLastChar = FieldChar(line, 147);
}

namespace {

// The channel status code of a 4-channel record from its two-character status text and the
// channel's marker character.
char FourChannelStatusCode(std::string_view text, char marker) {
    char code = 0;
    if (text == "__") {
        code = 'A';
    } else if (text == "L_") {
        code = 'B';
    } else if (text == "LE") {
        code = marker == '_' ? 'C' : 'F';
    }
    if (!text.empty() && text[0] == 'H') {
        code = 'D';
    }
    return code;
}

// The satellite code that SatelliteNumber reads back as `number`: "A".."X" for 1 to 24 and
// "a".."h" for 25 to 32, as in the native record. Numbers above 32 have no code of their own and
// are stored past "h", where they read as the highest number; 0 and below is "@".
char FourChannelPrnCode(std::int32_t number) {
    if (number <= 0) {
        return '@';
    }
    return static_cast<char>(number <= 24 ? 64 + number : 72 + std::min(number, 99));
}

// "A" plus the signal value in hundreds, kept between "A" and "~" so that neither a negative nor
// a large value wraps into another code.
char FourChannelLevelCode(std::int32_t signal) {
    const std::int32_t level = std::clamp(signal / 100, 0, '~' - 'A');
    return static_cast<char>('A' + level);
}

}  // namespace

// 4-channel record, 87 characters plus CR LF, first character "N" or "O". Sample:
// N 2608153123456N3540123E1394567800045012027005LE12L_23__31H__xyz3.201234008000005000200
//  1. kind, 1 (column 0); unused, 1 (1)
//  2. year, month, day, 2 each (2-7); day code, 1 (8); hour, minute, second, 2 each (9-14)
//  3. latitude hemisphere, 1 (15); degrees, 2 (16-17); minutes, 2 (18-19);
//     tenths of seconds, 3 (20-22)
//  4. longitude hemisphere, 1 (23); degrees, 3 (24-26); minutes, 2 (27-28);
//     tenths of seconds, 3 (29-31)
//  5. altitude in metres, 5 (32-36); speed in km/h, 3 (37-39); course in degrees, 4 (40-43)
//  6. 4 channels of satellite number, 2, and status text, 2 (44-59)
//  7. status marker of channel k, 1, at column 60 + 4k (60, 64, 68, 72)
//  8. DOP text, 3 (64-66)
//  9. 4 signal values, 5 each (67-86)
// 10. CR LF (87-88)
void DecodeFourChannelRecord(ReceiverState& state, std::string_view line) {
    TextAt(state.kind, line, 0, 1);
    state.altTime.year = static_cast<std::int16_t>(DecimalAt(line, 2, 2));
    state.altTime.month = Uint8At(line, 4, 2);
    state.altTime.day = Uint8At(line, 6, 2);
    state.altTime.dayCode = FieldChar(line, 8);
    state.altTime.hour = Uint8At(line, 9, 2);
    state.altTime.minute = Uint8At(line, 11, 2);
    state.altTime.second = Uint8At(line, 13, 2);

    state.latHemisphere = FieldChar(line, 15);
    state.latDegrees = DecimalAt(line, 16, 2);
    state.latMinutes = DecimalAt(line, 18, 2);
    state.latSeconds = DecimalAt(line, 20, 3) * 0.1;
    state.lonHemisphere = FieldChar(line, 23);
    state.lonDegrees = DecimalAt(line, 24, 3);
    state.lonMinutes = DecimalAt(line, 27, 2);
    state.lonSeconds = DecimalAt(line, 29, 3) * 0.1;

    state.altitudeMetres = DecimalAt(line, 32, 5);
    state.altitude = static_cast<float>(state.altitudeMetres);
    state.speedKmhWhole = DecimalAt(line, 37, 3);
    state.course = DecimalAt(line, 40, 4);
    TextAt(state.dopCode, line, 64, 3);
    state.fixMode = '_';
    state.datumCode = '_';

    for (int k = 0; k < 4; ++k) {
        const std::size_t column = 44 + 4 * static_cast<std::size_t>(k);
        SatelliteSlot& slot = state.satellites[k];
        slot.prnCode = FourChannelPrnCode(DecimalAt(line, column, 2));
        slot.elevationCode = 'A';
        slot.azimuthCode = 'A';
        slot.statusCode =
            FourChannelStatusCode(FieldPart(line, column + 2, 2), FieldChar(line, 60 + 4 * k));
        const std::int32_t signal = DecimalAt(line, 67 + 5 * static_cast<std::size_t>(k), 5);
        slot.levelCode = FourChannelLevelCode(signal);
    }
    for (int k = 4; k < 8; ++k) {
        SatelliteSlot& slot = state.satellites[k];
        slot.prnCode = '@';
        slot.elevationCode = 'A';
        slot.azimuthCode = 'A';
        slot.statusCode = '_';
        slot.levelCode = 'A';
    }

    state.nativeFlag = '0';
    state.nativeLetterValue = 0;
    std::memcpy(state.nativeTailText, "__", 3);
    state.nativeLastChar = '_';
}

}  // namespace orbex
