// Accuracy figures of a set of fixes about their mean or about a reference position: the
// spread north, east and up, the circular error probable at 50 % and 95 %, 2DRMS and the share
// of fixes within 1, 2, 5 and 10 m. Offsets are taken on the local tangent plane of the
// reference (WGS 84 radii of curvature at its latitude), which is exact to well below a
// millimetre for the few hundred metres a receiver wanders.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include "decode/geo_point.h"

namespace orbex {

struct AccuracyStatistics {
    std::size_t fixes = 0;
    GeoPoint mean;          // of latitude, longitude and (over the fixes that have one) altitude
    GeoPoint reference;     // what the offsets are taken from: the mean, or the position given
    double sigmaNorth = 0;  // metres: root mean square of the offsets from the reference
    double sigmaEast = 0;
    double sigmaUp = 0;  // NaN when no fix has an altitude
    double cep50 = 0;    // metres: smallest radius holding at least 50 % of the fixes
    double cep95 = 0;    // the same for 95 %
    double twoDrms = 0;  // 2 x sqrt(sigmaNorth^2 + sigmaEast^2)
    static constexpr std::array<double, 4> kWithinRadii{1, 2, 5, 10};
    std::array<double, 4> within{};  // share 0..1 of fixes at most kWithinRadii[i] m away
};

// The figures of `fixes` about their mean, or about `reference` when given (a reference
// without altitude, NaN, takes the mean altitude). Nothing when there is no fix.
std::optional<AccuracyStatistics> ComputeAccuracyStatistics(
    std::span<const GeoPoint> fixes, std::optional<GeoPoint> reference = std::nullopt);

// Offsets in metres of `point` from `origin` on the origin's tangent plane; longitudes that
// straddle the 180th meridian are taken the short way round.
struct LocalOffset {
    double north = 0;
    double east = 0;
};
LocalOffset OffsetFrom(const GeoPoint& origin, const GeoPoint& point);

}  // namespace orbex
