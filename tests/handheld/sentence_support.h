// Builds NMEA sentences with their checksum for the viewer's tests.
#pragma once

#include <cstdio>
#include <string>

namespace orbexce::test {

// "$" + body + "*" + checksum + CR LF; the checksum in upper-case hexadecimal unless asked
// otherwise.
inline std::string Sentence(const std::string& body, bool lowerCase = false) {
    unsigned sum = 0;
    for (const char c : body) {
        sum ^= static_cast<unsigned char>(c);
    }
    char hex[3];
    std::snprintf(hex, sizeof hex, lowerCase ? "%02x" : "%02X", sum);
    return "$" + body + "*" + hex + "\r\n";
}

}  // namespace orbexce::test
