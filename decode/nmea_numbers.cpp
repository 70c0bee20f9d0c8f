#include "decode/nmea_numbers.h"

#include <algorithm>

#include "decode/text_fields.h"

namespace orbex {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits with at most one decimal point and at least one digit before it.
bool IsUnsignedDecimal(std::string_view text) {
    bool point = false;
    std::size_t leadingDigits = 0;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (!IsDigit(c)) {
            return false;
        } else if (!point) {
            ++leadingDigits;
        }
    }
    return leadingDigits > 0;
}

}  // namespace

namespace {

// The windows' layout of the decimals of minutes: fewer than four scaled to three digits ("5"
// is 500 thousandths, "12" is 120), four or more cut to four.
void SetMinuteFraction(AngleField& angle, std::int32_t firstDigits, std::size_t count) {
    angle.fourDecimals = count >= 4;
    if (angle.fourDecimals) {
        angle.minuteFraction = firstDigits;
        angle.seconds = angle.minuteFraction * 0.006;
    } else {
        static constexpr std::int32_t kScale[] = {1000, 100, 10, 1};
        angle.minuteFraction = firstDigits * kScale[count];
        angle.seconds = angle.minuteFraction * 0.06;
    }
}

// Any field, read with the decimal rule piece by piece: non-digits end a piece.
AngleField ReadAngleFieldByPieces(std::string_view field) {
    AngleField angle;
    const std::size_t point = field.find('.');
    const std::size_t wholeEnd = point == std::string_view::npos ? field.size() : point;
    const std::size_t minutesStart = wholeEnd >= 2 ? wholeEnd - 2 : 0;
    angle.degrees = ParseDecimal(field.substr(0, minutesStart));
    angle.minutes = ParseDecimal(field.substr(minutesStart, wholeEnd - minutesStart));
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view{} : field.substr(point + 1);
    if (decimals.size() >= 4) {
        SetMinuteFraction(angle, ParseDecimal(decimals.substr(0, 4)), 4);
    } else {
        // The decimals padded with zeros to three digits, then read with the decimal rule.
        char digits[3] = {'0', '0', '0'};
        for (std::size_t i = 0; i < decimals.size(); ++i) {
            digits[i] = decimals[i];
        }
        SetMinuteFraction(angle, ParseDecimal(std::string_view(digits, 3)), 3);
    }
    return angle;
}

}  // namespace

AngleField ReadAngleField(std::string_view field) {
    // One pass over a well-formed field (digits, at most one point, at most nine digits before
    // it): the common case, and the only one that gives an exact value.
    std::int64_t whole = 0;
    std::size_t wholeDigits = 0;
    std::size_t i = 0;
    for (; i < field.size() && IsDigit(field[i]); ++i) {
        if (wholeDigits < 18) {  // past nine digits the field is not well formed: no overflow
            whole = whole * 10 + (field[i] - '0');
        }
        ++wholeDigits;
    }
    bool wellFormed = wholeDigits > 0 && wholeDigits <= 9;
    std::int32_t firstFour = 0;
    std::int64_t fraction = 0;
    double fractionScale = 1;
    std::size_t decimals = 0;
    if (wellFormed && i < field.size()) {
        wellFormed = field[i] == '.';
        for (++i; wellFormed && i < field.size(); ++i) {
            if (!IsDigit(field[i])) {
                wellFormed = false;
                break;
            }
            const int digit = field[i] - '0';
            if (decimals < 4) {
                firstFour = firstFour * 10 + digit;
            }
            if (decimals < 15) {  // beyond a femto-minute nothing counts
                fraction = fraction * 10 + digit;
                fractionScale *= 10;
            }
            ++decimals;
        }
    }
    if (!wellFormed) {
        return ReadAngleFieldByPieces(field);
    }
    AngleField angle;
    angle.degrees = static_cast<std::int32_t>(whole / 100);
    angle.minutes = static_cast<std::int32_t>(whole % 100);
    SetMinuteFraction(angle, firstFour, std::min<std::size_t>(decimals, 4));
    angle.wellFormed = true;
    angle.exactMinutes = angle.minutes + static_cast<double>(fraction) / fractionScale;
    angle.exactDegrees = angle.degrees + angle.exactMinutes / 60.0;
    return angle;
}

bool IsPlainNumber(std::string_view text) {
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        text.remove_prefix(1);
    }
    // ".5" is a number here, unlike in an angle field.
    if (!text.empty() && text[0] == '.') {
        return text.size() > 1 && IsAllDigits(text.substr(1));
    }
    return IsUnsignedDecimal(text);
}

bool IsAllDigits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

bool IsValidTimeOfDay(std::string_view field) {
    if (field.size() < 6 || !IsAllDigits(field.substr(0, 6))) {
        return false;
    }
    if (field.size() > 6 &&
        (field[6] != '.' || (field.size() > 7 && !IsAllDigits(field.substr(7))))) {
        return false;
    }
    auto twoDigits = [&](std::size_t at) { return (field[at] - '0') * 10 + (field[at + 1] - '0'); };
    return twoDigits(0) < 24 && twoDigits(2) < 60 && twoDigits(4) < 60;
}

bool IsValidDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= last;
}

}  // namespace orbex
