// The receiver's field conversions, applied to a field's characters (never past them): the
// decimal rule of fixed-column and sentence fields, the real-number rule, and hexadecimal digits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orbex {

// The characters of `text` from `offset` on, at most `width` of them; empty past the end.
inline std::string_view FieldPart(std::string_view text, std::size_t offset, std::size_t width) {
    if (offset >= text.size()) {
        return {};
    }
    return text.substr(offset, width);
}

// The character at `offset`, or 0 past the end.
inline char FieldChar(std::string_view text, std::size_t offset) {
    return offset < text.size() ? text[offset] : '\0';
}

// Decimal rule: leading blanks and one sign are allowed, conversion stops at the first
// non-digit, and no digits give 0. Values beyond 32 bits saturate.
std::int32_t ParseDecimal(std::string_view text);

// The decimal rule into the one byte of a record field (the value's low eight bits).
inline std::uint8_t Uint8Of(std::string_view text) {
    return static_cast<std::uint8_t>(ParseDecimal(text));
}

// Real rule: leading blanks, a sign, digits with an optional decimal point and exponent;
// conversion stops at the first character that does not fit. No digits, infinity, not-a-number
// and values beyond the range of a float give 0. Independent of the process locale.
double ParseReal(std::string_view text);

// The same as a float (the storage of the records' real fields).
float ParseRealFloat(std::string_view text);

// Value of an upper-case hexadecimal digit ("0".."9", "A".."F"), or -1 for any other byte.
int HexDigitValue(char c);

// A real value truncated toward zero into 32 bits; saturates, and not-a-number gives 0.
std::int32_t TruncateToInt32(double value);

}  // namespace orbex
