#include "windows/position_plot/coordinate_group.h"

namespace orbex {

double CoordinateGroup::ArcSeconds() const {
    const double value = degrees * 3600.0 + minutes * 60.0 + seconds;
    const bool negative =
        hemisphere == 'S' || hemisphere == 's' || hemisphere == 'W' || hemisphere == 'w';
    return negative ? -value : value;
}

CoordinateGroup LatitudeOf(const ReceiverState& record) {
    return {record.latHemisphere, record.latDegrees, record.latMinutes, record.latMinuteFraction,
            record.latSeconds};
}

CoordinateGroup LongitudeOf(const ReceiverState& record) {
    return {record.lonHemisphere, record.lonDegrees, record.lonMinutes, record.lonMinuteFraction,
            record.lonSeconds};
}

}  // namespace orbex
