// The latitude or longitude fields of one record, as the position plot keeps them for the
// centre and the latest fix: hemisphere, degrees, minutes, minute decimals, seconds.
#pragma once

#include <cstdint>

#include "decode/receiver_state.h"

namespace orbex {

struct CoordinateGroup {
    char hemisphere = 0;  // 'N', 'S', 'E', 'W' (lower case possible)
    std::int32_t degrees = 0;
    std::int32_t minutes = 0;
    std::int32_t minuteFraction = 0;  // the digits after the minutes' decimal point
    double seconds = 0;

    // Degrees x 3600 + minutes x 60 + seconds, negative in the southern and western hemispheres.
    double ArcSeconds() const;
};

CoordinateGroup LatitudeOf(const ReceiverState& record);
CoordinateGroup LongitudeOf(const ReceiverState& record);

// A position as the plot keeps it: the latitude and longitude groups of one record.
struct CoordinatePair {
    CoordinateGroup lat;
    CoordinateGroup lon;
};

inline CoordinatePair PositionOf(const ReceiverState& record) {
    return {LatitudeOf(record), LongitudeOf(record)};
}

}  // namespace orbex
