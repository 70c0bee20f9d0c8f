// The number fields of the standard sentences as other receivers write them too: latitude and
// longitude "ddmm.mmmm" with any count of degree digits and decimals, and times of day
// "hhmmss" with or without decimals. Each is read twice: into the VM8140's layout that the
// windows show, and at full precision, checked, for the exports and statistics.
#pragma once

#include <cstdint>
#include <string_view>

namespace orbex {

// A latitude or longitude field "ddmm.f...". The minutes are the two digits before the decimal
// point, the degrees every digit before them.
struct AngleField {
    // The windows' layout: fewer than four decimals are scaled to three (fourDecimals false,
    // seconds = fraction x 0.06); four or more keep their first four (seconds = fraction x 0.006).
    std::int32_t degrees = 0;
    std::int32_t minutes = 0;
    std::int32_t minuteFraction = 0;
    double seconds = 0;
    bool fourDecimals = false;
    // Full precision, unsigned; meaningful only when wellFormed.
    double exactDegrees = 0;
    double exactMinutes = 0;
    // Digits with at most one decimal point, at least one digit before it.
    bool wellFormed = false;
};

AngleField ReadAngleField(std::string_view field);

// Whether `text` is a plain decimal number: an optional sign, digits, at most one decimal
// point, and at least one digit.
bool IsPlainNumber(std::string_view text);

// Whether `field` is a real time of day "hhmmss" or "hhmmss.s..." (hours 0..23, minutes and
// seconds 0..59).
bool IsValidTimeOfDay(std::string_view field);

// Whether `text` is made only of digits (and is not empty).
bool IsAllDigits(std::string_view text);

// Whether year-month-day is a date of the Gregorian calendar (years 1..9999).
bool IsValidDate(int year, int month, int day);

}  // namespace orbex
