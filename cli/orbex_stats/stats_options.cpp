#include "cli/orbex_stats/stats_options.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "cli/common/option_table.h"

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

const OptionTable<StatsOptions>& StatsOptionTable() {
    static const OptionTable<StatsOptions> table = {
        {"--ref", "LAT,LON[,ALT]", "offsets about this position instead of the mean",
         [](StatsOptions& o, const std::string& v) {
             GeoPoint reference;
             std::string error;
             if (ParseReference(v, reference, error)) {
                 o.reference = reference;
             }
             return error;
         }},
        {"--json", nullptr, "print one JSON object instead of the table",
         [](StatsOptions& o, const std::string&) {
             o.json = true;
             return std::string();
         }},
    };
    return table;
}

}  // namespace

bool ParseStatsOptions(const std::vector<std::string>& arguments, StatsOptions& options,
                       std::string& error) {
    options = StatsOptions{};
    CommandWords words;
    error = ReadOptions(StatsOptionTable(), arguments, options, words);
    options.help = words.help;
    if (!error.empty()) {
        return false;
    }
    if (!options.help && words.words.size() != 1) {
        error = words.words.empty() ? "give the recording to read" : "give only one recording";
        return false;
    }
    if (!words.words.empty()) {
        options.path = words.words.front();
    }
    return true;
}

std::string StatsUsage() {
    return "usage: orbex-stats FILE [--ref LAT,LON[,ALT]] [--json]\n"
           "Accuracy figures of the fixes of a recording (native records or NMEA): number of\n"
           "fixes, mean position, standard deviations north, east and up, CEP50, CEP95, 2DRMS\n"
           "and the share of fixes within 1, 2, 5 and 10 m, all in metres. The offsets are\n"
           "taken about the mean, or about --ref (degrees, south and west negative; metres).\n\n" +
           OptionHelp(StatsOptionTable());
}

}  // namespace orbex
