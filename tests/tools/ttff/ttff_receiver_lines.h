// Lines the receiver sends around a TTFF cycle: a GGA with and without a fix, the date and time,
// a GSA and the banner it prints after a reset.
#pragma once

#include <string>

namespace orbex::test {

inline const std::string kFixed =
    "$GPGGA,200345,3540.8741,N,13946.0275,E,1,08,01.2,00040.1,M,039.5,M,,*5C\r\n";
inline const std::string kNoFix = "$GPGGA,200343,,,,,0,00,,,,,,,*66\r\n";
inline const std::string kZda = "$GPZDA,200343,06,12,2003,00,00*4F\r\n";
inline const std::string kGsa = "$GPGSA,A,3,01,02,03,,,,,,,,,,02.0,01.2,01.6*00\r\n";
inline const std::string kBanner = "VELMAR VM8140 GPS V1.04\r\n";

}  // namespace orbex::test
