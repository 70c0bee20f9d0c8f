// The position and fix flag a TTFF cycle takes from "$GPGGA", read at the fixed character
// positions of the receiver's fixed-width layout (not by splitting at commas):
//
//   $GPGGA,hhmmss,ddmm.ffff,N,dddmm.ffff,E,q,ss,hh.h,aaaaa.a,M,...
//   0      7      14        24 26         37 39 41
//
// Empty fields keep what an earlier sentence gave, so the position persists from cycle to cycle.
#pragma once

#include <string_view>

namespace orbex {

struct TtffPosition {
    char latDir = 'N';
    int latDeg = 0;
    int latMin = 0;
    int latFrac = 0;  // ten-thousandths of a minute (a three-digit fraction is scaled)
    char lonDir = 'E';
    int lonDeg = 0;
    int lonMin = 0;
    int lonFrac = 0;
    bool altNegative = false;
    int altWhole = 0;  // whole metres without the sign
    char altTenth = '0';

    double LatitudeDegrees() const;
    double LongitudeDegrees() const;
    double AltitudeMetres() const;
};

// Updates `position` and `fix` from one "$GPGGA" line: quality "0" clears the fix, "1" or "2"
// sets it, an empty or other quality leaves it as it was.
void ReadGgaPosition(std::string_view line, TtffPosition& position, bool& fix);

}  // namespace orbex
