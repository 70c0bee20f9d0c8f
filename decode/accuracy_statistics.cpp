#include "decode/accuracy_statistics.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace orbex {

namespace {

constexpr double kSemiMajorAxis = 6378137.0;  // WGS 84
constexpr double kFlattening = 1.0 / 298.257223563;
constexpr double kEccentricitySquared = kFlattening * (2.0 - kFlattening);

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// A longitude difference brought into -180..180 degrees.
double WrapDegrees(double difference) {
    difference = std::fmod(difference, 360.0);
    if (difference > 180.0) {
        difference -= 360.0;
    } else if (difference < -180.0) {
        difference += 360.0;
    }
    return difference;
}

// The empirical radius holding at least `share` of the sorted distances.
double RadiusHolding(const std::vector<double>& sorted, double share) {
    const auto count = static_cast<double>(sorted.size());
    const auto index = static_cast<std::size_t>(std::max(1.0, std::ceil(share * count - 1e-9)));
    return sorted[std::min(index, sorted.size()) - 1];
}

GeoPoint MeanOf(std::span<const GeoPoint> fixes) {
    // Longitudes are averaged as offsets from the first fix, so that a run across the 180th
    // meridian keeps its mean beside the fixes instead of on the far side of the earth.
    const double lonOrigin = fixes.front().lonDegrees;
    double lat = 0, lonOffset = 0, alt = 0;
    std::size_t withAltitude = 0;
    for (const GeoPoint& fix : fixes) {
        lat += fix.latDegrees;
        lonOffset += WrapDegrees(fix.lonDegrees - lonOrigin);
        if (!std::isnan(fix.altitude)) {
            alt += fix.altitude;
            ++withAltitude;
        }
    }
    const auto count = static_cast<double>(fixes.size());
    GeoPoint mean;
    mean.latDegrees = lat / count;
    mean.lonDegrees = WrapDegrees(lonOrigin + lonOffset / count);
    mean.altitude = withAltitude > 0 ? alt / static_cast<double>(withAltitude) : std::nan("");
    return mean;
}

}  // namespace

LocalOffset OffsetFrom(const GeoPoint& origin, const GeoPoint& point) {
    const double sinLat = std::sin(Radians(origin.latDegrees));
    const double w = 1.0 - kEccentricitySquared * sinLat * sinLat;
    const double primeVertical = kSemiMajorAxis / std::sqrt(w);
    const double meridian = kSemiMajorAxis * (1.0 - kEccentricitySquared) / (w * std::sqrt(w));
    LocalOffset offset;
    offset.north = Radians(point.latDegrees - origin.latDegrees) * meridian;
    offset.east = Radians(WrapDegrees(point.lonDegrees - origin.lonDegrees)) * primeVertical *
                  std::cos(Radians(origin.latDegrees));
    return offset;
}

std::optional<AccuracyStatistics> ComputeAccuracyStatistics(std::span<const GeoPoint> fixes,
                                                            std::optional<GeoPoint> reference) {
    if (fixes.empty()) {
        return std::nullopt;
    }
    AccuracyStatistics stats;
    stats.fixes = fixes.size();
    stats.mean = MeanOf(fixes);
    stats.reference = reference.value_or(stats.mean);
    if (std::isnan(stats.reference.altitude)) {
        stats.reference.altitude = stats.mean.altitude;
    }

    double sumNorth = 0, sumEast = 0, sumUp = 0;
    std::size_t withAltitude = 0;
    std::vector<double> distances;
    distances.reserve(fixes.size());
    for (const GeoPoint& fix : fixes) {
        const LocalOffset offset = OffsetFrom(stats.reference, fix);
        sumNorth += offset.north * offset.north;
        sumEast += offset.east * offset.east;
        if (!std::isnan(fix.altitude)) {
            const double up = fix.altitude - stats.reference.altitude;
            sumUp += up * up;
            ++withAltitude;
        }
        distances.push_back(std::hypot(offset.north, offset.east));
    }
    const auto count = static_cast<double>(fixes.size());
    stats.sigmaNorth = std::sqrt(sumNorth / count);
    stats.sigmaEast = std::sqrt(sumEast / count);
    stats.sigmaUp =
        withAltitude > 0 ? std::sqrt(sumUp / static_cast<double>(withAltitude)) : std::nan("");
    stats.twoDrms = 2.0 * std::hypot(stats.sigmaNorth, stats.sigmaEast);

    std::sort(distances.begin(), distances.end());
    stats.cep50 = RadiusHolding(distances, 0.50);
    stats.cep95 = RadiusHolding(distances, 0.95);
    for (std::size_t i = 0; i < stats.within.size(); ++i) {
        const auto inside = std::upper_bound(distances.begin(), distances.end(),
                                             AccuracyStatistics::kWithinRadii[i]) -
                            distances.begin();
        stats.within[i] = static_cast<double>(inside) / count;
    }
    return stats;
}

}  // namespace orbex
