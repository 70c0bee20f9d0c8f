#include "tools/ttff/gga_position.h"

#include <cstdlib>

namespace orbex {
namespace {

// The character at `index`; past the end a comma, so that a truncated sentence reads as empty
// fields and changes nothing.
char At(std::string_view line, std::size_t index) {
    return index < line.size() ? line[index] : ',';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A plain decimal conversion of `length` characters at `index`: an optional sign, then digits
// up to the first non-digit; nothing readable gives 0.
int Number(std::string_view line, std::size_t index, std::size_t length) {
    std::size_t i = index;
    const std::size_t end = index + length;
    bool negative = false;
    if (At(line, i) == '-' || At(line, i) == '+') {
        negative = At(line, i) == '-';
        ++i;
    }
    int value = 0;
    for (; i < end && IsDigit(At(line, i)); ++i) {
        value = value * 10 + (At(line, i) - '0');
    }
    return negative ? -value : value;
}

// One coordinate: degrees (2 or 3 characters), minutes, a four- or three-digit fraction, then
// the hemisphere letter. `p` is the comma before the field and moves to the comma after the
// letter.
void ReadCoordinate(std::string_view line, std::size_t degreeDigits, std::size_t& p, int& degrees,
                    int& minutes, int& fraction, char& hemisphere) {
    if (At(line, p + 1) != ',') {
        const std::size_t fractionAt = p + degreeDigits + 4;  // after "ddmm." or "dddmm."
        const bool fourDigits = At(line, fractionAt + 3) != ',';
        degrees = Number(line, p + 1, degreeDigits);
        minutes = Number(line, p + 1 + degreeDigits, 2);
        fraction = Number(line, fractionAt, fourDigits ? 4 : 3);
        if (!fourDigits) {
            fraction *= 10;  // 12.345 is 12.3450 minutes, not 12.0345
        }
        p = fractionAt + (fourDigits ? 4 : 3);
    } else {
        p += 1;
    }
    if (At(line, p + 1) != ',') {
        hemisphere = At(line, p + 1);
        p += 2;
    } else {
        p += 1;
    }
}

}  // namespace

double TtffPosition::LatitudeDegrees() const {
    const double degrees = latDeg + (latMin + latFrac / 10000.0) / 60.0;
    return latDir == 'S' ? -degrees : degrees;
}

double TtffPosition::LongitudeDegrees() const {
    const double degrees = lonDeg + (lonMin + lonFrac / 10000.0) / 60.0;
    return lonDir == 'W' ? -degrees : degrees;
}

double TtffPosition::AltitudeMetres() const {
    const double metres = altWhole + (altTenth - '0') / 10.0;
    return altNegative ? -metres : metres;
}

void ReadGgaPosition(std::string_view line, TtffPosition& position, bool& fix) {
    // Time: empty, or six characters.
    std::size_t p = At(line, 7) == ',' ? 7 : 13;
    // Latitude and longitude with their letters.
    ReadCoordinate(line, 2, p, position.latDeg, position.latMin, position.latFrac, position.latDir);
    ReadCoordinate(line, 3, p, position.lonDeg, position.lonMin, position.lonFrac, position.lonDir);
    // Fix quality.
    const char quality = At(line, p + 1);
    if (quality == ',') {
        p += 1;
    } else {
        if (quality == '0') {
            fix = false;
        } else if (quality == '1' || quality == '2') {
            fix = true;
        }
        p += 2;
    }
    // Satellites and dilution: p lands on the altitude's first character.
    if (At(line, p + 1) == ',') {
        p += 1;
    } else {
        p += At(line, p + 4) == ',' ? 4 : 9;
    }
    // Altitude: "aaaaa.a" or "-aaaaa.a".
    if (At(line, p) == ',') {
        return;
    }
    const bool negative = At(line, p) == '-';
    const int whole = Number(line, p, negative ? 6 : 5);
    const char tenth = At(line, p + (negative ? 7 : 6));
    position.altNegative = negative;
    position.altWhole = whole < 0 ? -whole : whole;
    if (negative || tenth != '.') {
        position.altTenth = IsDigit(tenth) ? tenth : '0';
    }
}

}  // namespace orbex
