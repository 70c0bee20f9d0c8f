#include "cli/orbex_stats/stats_report.h"

#include <cmath>

#include "cli/common/text_output.h"

namespace orbex {

namespace {

std::string Row(const std::string& name, const std::string& value) {
    std::string row = name;
    row.resize(16, ' ');
    return row + value + "\n";
}

std::string Metres(double value) {
    return FixedText(value, 3) + (std::isfinite(value) ? " m" : "");
}

std::string Position(const GeoPoint& point) {
    return FixedText(point.latDegrees, 9, "null") + " " + FixedText(point.lonDegrees, 9, "null") +
           " " + Metres(point.altitude);
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
                    FixedText(stats.within[i] * 100.0, 1, "null") + " %");
    }
    return text;
}

std::string StatisticsJson(const AccuracyStatistics& stats) {
    std::string json = "{\"fixes\":" + std::to_string(stats.fixes);
    json += ",\"mean\":{\"lat\":" + FixedText(stats.mean.latDegrees, 9, "null") +
            ",\"lon\":" + FixedText(stats.mean.lonDegrees, 9, "null") +
            ",\"alt\":" + FixedText(stats.mean.altitude, 3, "null") + "}";
    json += ",\"sigma\":{\"north\":" + FixedText(stats.sigmaNorth, 4, "null") +
            ",\"east\":" + FixedText(stats.sigmaEast, 4, "null") +
            ",\"up\":" + FixedText(stats.sigmaUp, 4, "null") + "}";
    json += ",\"cep50\":" + FixedText(stats.cep50, 4, "null") +
            ",\"cep95\":" + FixedText(stats.cep95, 4, "null") +
            ",\"2drms\":" + FixedText(stats.twoDrms, 4, "null");
    json += ",\"within\":{";
    for (std::size_t i = 0; i < stats.within.size(); ++i) {
        json += std::string(i ? "," : "") + "\"" + RadiusName(i) +
                "\":" + FixedText(stats.within[i], 4, "null");
    }
    return json + "}}\n";
}

}  // namespace orbex
