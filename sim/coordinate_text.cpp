#include "sim/coordinate_text.h"

#include <cmath>

namespace orbex::sim {
namespace {

char Hemisphere(double degrees, bool latitude) {
    if (latitude) {
        return degrees < 0 ? 'S' : 'N';
    }
    return degrees < 0 ? 'W' : 'E';
}

}  // namespace

MinuteParts ToMinuteParts(double degrees, bool latitude, int decimals) {
    const std::int64_t scale = decimals == 3 ? 1000 : decimals == 4 ? 10000 : 100;
    const std::int64_t total = std::llround(std::fabs(degrees) * 60.0 * static_cast<double>(scale));
    MinuteParts p;
    p.hemisphere = Hemisphere(degrees, latitude);
    p.degrees = static_cast<int>(total / (60 * scale));
    p.minutes = static_cast<int>(total / scale % 60);
    p.fraction = static_cast<int>(total % scale);
    return p;
}

SecondParts ToSecondParts(double degrees, bool latitude, int hundredthsPerUnit) {
    // hundredthsPerUnit 10 rounds to tenths of a second (the 4-channel record's resolution).
    const std::int64_t unit = hundredthsPerUnit;
    const std::int64_t total =
        std::llround(std::fabs(degrees) * 360000.0 / static_cast<double>(unit)) * unit;
    SecondParts p;
    p.hemisphere = Hemisphere(degrees, latitude);
    p.degrees = static_cast<int>(total / 360000);
    p.minutes = static_cast<int>(total / 6000 % 60);
    p.hundredths = static_cast<int>(total % 6000);
    return p;
}

double ArcSeconds(double degrees) {
    return degrees * 3600.0;
}

}  // namespace orbex::sim
