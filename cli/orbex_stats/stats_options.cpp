#include "cli/orbex_stats/stats_options.h"

#include "cli/common/option_table.h"
#include "cli/common/reference_option.h"

namespace orbex {

namespace {

const OptionTable<StatsOptions>& StatsOptionTable() {
    static const OptionTable<StatsOptions> table = {
        {"--ref", "LAT,LON[,ALT]", "offsets about this position instead of the mean",
         [](StatsOptions& o, const std::string& v) {
             GeoPoint reference;
             std::string error = ReadReferencePosition(v, reference);
             if (error.empty()) {
                 o.reference = reference;
             }
             return error;
         }},
        {"--json", nullptr, "print one JSON object instead of the table",
         [](StatsOptions& o, const std::string&) {
             o.json = true;
             return std::string();
         }},
        {"--output", "FILE", "write the figures to FILE instead of standard output",
         [](StatsOptions& o, const std::string& v) {
             o.output = v;
             return v.empty() ? std::string("--output needs a non-empty path") : std::string();
         }},
        {"-o", "FILE", "the same as --output",
         [](StatsOptions& o, const std::string& v) {
             o.output = v;
             return v.empty() ? std::string("-o needs a non-empty path") : std::string();
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
    return "usage: orbex-stats FILE [--ref LAT,LON[,ALT]] [--json] [-o OUT]\n"
           "Accuracy figures of the fixes of a recording (native records or NMEA): number of\n"
           "fixes, mean position, standard deviations north, east and up, CEP50, CEP95, 2DRMS\n"
           "and the share of fixes within 1, 2, 5 and 10 m, all in metres. The offsets are\n"
           "taken about the mean, or about --ref (degrees, south and west negative; metres).\n\n" +
           OptionHelp(StatsOptionTable()) +
           "\nExit status: 0 figures written, 1 no fixes, a read failing part-way or a write that\n"
           "fails (a full disk), 2 bad arguments or a FILE or OUT that cannot be opened.\n";
}

}  // namespace orbex
