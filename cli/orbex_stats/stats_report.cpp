#include "cli/orbex_stats/stats_report.h"

#include <charconv>
#include <cmath>

namespace orbex {

namespace {

// Fixed-point text of a number with "." under any locale; NaN gives `missing`.
std::string Fixed(double value, int decimals, const char* missing = "null") {
    if (!std::isfinite(value)) {
        return missing;
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string Row(const std::string& name, const std::string& value) {
    std::string row = name;
    row.resize(16, ' ');
    return row + value + "\n";
}

std::string Metres(double value) {
    return Fixed(value, 3, "-") + (std::isfinite(value) ? " m" : "");
}

std::string Position(const GeoPoint& point) {
    return Fixed(point.latDegrees, 9) + " " + Fixed(point.lonDegrees, 9) + " " +
           Metres(point.altitude);
}

const char* RadiusName(std::size_t i) {
    static constexpr const char* kNames[] = {"1", "2", "5", "10"};
    return kNames[i];
}

}  // namespace

std::string StatisticsTable(const AccuracyStatistics& stats, bool givenReference) {
    std::string text;
    text += Row("fixes", std::to_string(stats.fixes));
    text += Row("mean", Position(stats.mean));
    if (givenReference) {
        text += Row("reference", Position(stats.reference));
    }
    text += Row("sigma north", Metres(stats.sigmaNorth));
    text += Row("sigma east", Metres(stats.sigmaEast));
    text += Row("sigma up", Metres(stats.sigmaUp));
    text += Row("CEP50", Metres(stats.cep50));
    text += Row("CEP95", Metres(stats.cep95));
    text += Row("2DRMS", Metres(stats.twoDrms));
    for (std::size_t i = 0; i < stats.within.size(); ++i) {
        text += Row(std::string("within ") + RadiusName(i) + " m",
                    Fixed(stats.within[i] * 100.0, 1) + " %");
    }
    return text;
}

std::string StatisticsJson(const AccuracyStatistics& stats) {
    std::string json = "{\"fixes\":" + std::to_string(stats.fixes);
    json += ",\"mean\":{\"lat\":" + Fixed(stats.mean.latDegrees, 9) +
            ",\"lon\":" + Fixed(stats.mean.lonDegrees, 9) +
            ",\"alt\":" + Fixed(stats.mean.altitude, 3) + "}";
    json += ",\"sigma\":{\"north\":" + Fixed(stats.sigmaNorth, 4) +
            ",\"east\":" + Fixed(stats.sigmaEast, 4) + ",\"up\":" + Fixed(stats.sigmaUp, 4) + "}";
    json += ",\"cep50\":" + Fixed(stats.cep50, 4) + ",\"cep95\":" + Fixed(stats.cep95, 4) +
            ",\"2drms\":" + Fixed(stats.twoDrms, 4);
    json += ",\"within\":{";
    for (std::size_t i = 0; i < stats.within.size(); ++i) {
        json +=
            std::string(i ? "," : "") + "\"" + RadiusName(i) + "\":" + Fixed(stats.within[i], 4);
    }
    return json + "}}\n";
}

}  // namespace orbex
