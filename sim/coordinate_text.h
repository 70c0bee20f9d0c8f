// Latitude and longitude cut into the parts the receiver's fixed-width fields carry.
#pragma once

#include <cstdint>

namespace orbex::sim {

// Degrees, whole minutes and a minute fraction of `decimals` digits, rounded once, so the
// parts always carry into each other (59.99995' becomes the next whole degree).
struct MinuteParts {
    char hemisphere = 'N';
    int degrees = 0;
    int minutes = 0;
    int fraction = 0;
};
MinuteParts ToMinuteParts(double degrees, bool latitude, int decimals);

// Degrees, minutes and seconds in hundredths of a second (the native record's resolution).
struct SecondParts {
    char hemisphere = 'N';
    int degrees = 0;
    int minutes = 0;
    int hundredths = 0;  // 0..5999
};
SecondParts ToSecondParts(double degrees, bool latitude, int hundredthsPerUnit = 1);

// The signed arc-seconds of a position, as the decoders' position samples hold it.
double ArcSeconds(double degrees);

}  // namespace orbex::sim
