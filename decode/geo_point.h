// A position on the WGS 84 ellipsoid in signed degrees, with its altitude when known.
#pragma once

#include <cmath>

namespace orbex {

struct GeoPoint {
    double latDegrees = 0;           // south negative
    double lonDegrees = 0;           // west negative
    double altitude = std::nan("");  // metres; NaN when not known
};

}  // namespace orbex
