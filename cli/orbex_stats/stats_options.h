// The command line of orbex-stats: a recording, an optional reference position and the
// output form.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "decode/geo_point.h"

namespace orbex {

struct StatsOptions {
    std::string path;
    std::optional<GeoPoint> reference;  // --ref LAT,LON[,ALT]; altitude NaN when not given
    bool json = false;
    std::string output;  // -o FILE; standard output when empty
    bool help = false;
};

// Reads the arguments (without the program name). False with a one-line reason in `error`.
bool ParseStatsOptions(const std::vector<std::string>& arguments, StatsOptions& options,
                       std::string& error);

std::string StatsUsage();

}  // namespace orbex
