// The accuracy report: per recording, the scatter of its fixes about the mean or a reference
// with the CEP50 and CEP95 circles, the shares within 1, 2, 5 and 10 m and the figures of
// orbex-stats.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "decode/geo_point.h"

namespace orbex {

struct RecordingPoints {
    std::string name;
    std::vector<GeoPoint> fixes;
    std::size_t lines = 0;
    std::string problem;  // why the recording gave no figures, or a read error after some fixes
};

std::string AccuracyReportHtml(const std::vector<RecordingPoints>& recordings,
                               std::optional<GeoPoint> reference, const std::string& title);

}  // namespace orbex
