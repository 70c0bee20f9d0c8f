#include "cli/orbex_stats/stats_options.h"

#include "cli/common/option_setters.h"
#include "cli/common/option_table.h"
#include "cli/common/reference_option.h"

namespace orbex {

namespace {

const OptionTable<StatsOptions>& StatsOptionTable() {
    static const OptionTable<StatsOptions> table = {
        {"--ref", "LAT,LON[,ALT]", "offsets about this position instead of the mean",
         SetsReference(&StatsOptions::reference)},
        {"--json", nullptr, "print one JSON object instead of the table",
         SetsFlag(&StatsOptions::json)},
        {"--output", "FILE", "write the figures to FILE instead of standard output",
         SetsNonEmpty("--output", "a non-empty path", &StatsOptions::output)},
        {"-o", "FILE", "the same as --output",
         SetsNonEmpty("-o", "a non-empty path", &StatsOptions::output)},
    };
    return table;
}

// The one recording to read.
std::string CheckStatsWords(StatsOptions& options, const std::vector<std::string>& words) {
    if (words.size() != 1) {
        return words.empty() ? "give the recording to read" : "give only one recording";
    }
    options.path = words.front();
    return {};
}

}  // namespace

bool ParseStatsOptions(const std::vector<std::string>& arguments, StatsOptions& options,
                       std::string& error) {
    return ParseCommandLine(StatsOptionTable(), arguments, options, error, CheckStatsWords);
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
