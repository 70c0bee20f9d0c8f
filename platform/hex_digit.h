// The value of one hexadecimal digit, either case, for the stored binary values, the
// assistance data and checksums read leniently. (The NMEA decoder reads checksums in upper
// case only and keeps its own rule.)
#pragma once

namespace orbex {

// 0..15, or -1 for a character that is not a hexadecimal digit.
constexpr int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace orbex
