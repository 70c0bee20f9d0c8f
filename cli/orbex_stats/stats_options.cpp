#include "cli/orbex_stats/stats_options.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace orbex {

namespace {

// A decimal number with "." whatever the locale; the whole text must be the number.
bool ParseNumber(std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end && std::isfinite(value);
}

bool ParseReference(const std::string& text, GeoPoint& reference, std::string& error) {
    std::vector<std::string_view> parts;
    std::string_view rest = text;
    for (;;) {
        const std::size_t comma = rest.find(',');
        parts.push_back(rest.substr(0, comma));
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    double alt = std::nan("");
    const bool parsed = (parts.size() == 2 || parts.size() == 3) &&
                        ParseNumber(parts[0], reference.latDegrees) &&
                        ParseNumber(parts[1], reference.lonDegrees) &&
                        (parts.size() == 2 || ParseNumber(parts[2], alt));
    if (!parsed || std::fabs(reference.latDegrees) > 90 || std::fabs(reference.lonDegrees) > 180) {
        error = "--ref takes LAT,LON[,ALT] in degrees (south and west negative) and metres, not '" +
                text + "'";
        return false;
    }
    reference.altitude = alt;
    return true;
}

}  // namespace

bool ParseStatsOptions(const std::vector<std::string>& arguments, StatsOptions& options,
                       std::string& error) {
    options = StatsOptions{};
    int files = 0;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--ref") {
            if (i + 1 >= arguments.size()) {
                error = "--ref needs a value";
                return false;
            }
            GeoPoint reference;
            if (!ParseReference(arguments[++i], reference, error)) {
                return false;
            }
            options.reference = reference;
        } else if (argument.starts_with("--")) {
            error = "unknown argument '" + argument + "'";
            return false;
        } else {
            options.path = argument;
            ++files;
        }
    }
    if (!options.help && files != 1) {
        error = files == 0 ? "give the recording to read" : "give only one recording";
        return false;
    }
    return true;
}

const char* StatsUsage() {
    return "usage: orbex-stats FILE [--ref LAT,LON[,ALT]] [--json]\n"
           "Accuracy figures of the fixes of a recording (native records or NMEA): number of\n"
           "fixes, mean position, standard deviations north, east and up, CEP50, CEP95, 2DRMS\n"
           "and the share of fixes within 1, 2, 5 and 10 m, all in metres. The offsets are\n"
           "taken about the mean, or about --ref (degrees, south and west negative; metres).\n"
           "--json prints one JSON object instead of the table.\n";
}

}  // namespace orbex
