// orbex-stats: the accuracy figures of the fixes of a recording, computed by the same code as
// the Position Plot's statistics block.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/common/recording_fixes.h"
#include "cli/orbex_stats/stats_options.h"
#include "cli/orbex_stats/stats_report.h"
#include "decode/accuracy_statistics.h"

namespace orbex {
namespace {

constexpr int kExitFailed = 1;
constexpr int kExitBadUse = 2;

int Run(int argc, char** argv) {
    StatsOptions options;
    std::string error;
    if (!ParseStatsOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "orbex-stats: %s (see --help)\n", error.c_str());
        return kExitBadUse;
    }
    if (options.help) {
        std::fputs(StatsUsage().c_str(), stdout);
        return 0;
    }
    RecordingFixes recording;
    if (!ReadRecordingFixes(options.path, recording, error)) {
        std::fprintf(stderr, "orbex-stats: %s\n", error.c_str());
        return recording.lines == 0 ? kExitBadUse : kExitFailed;
    }
    std::vector<GeoPoint> points;
    points.reserve(recording.fixes.size());
    for (const PositionFix& fix : recording.fixes) {
        points.push_back(fix.position);
    }
    const auto stats = ComputeAccuracyStatistics(points, options.reference);
    if (!stats) {
        std::fprintf(stderr, "orbex-stats: no fixes in %s (%zu lines, %zu decoded)\n",
                     options.path.c_str(), recording.lines, recording.decoded);
        return kExitFailed;
    }
    const std::string text = options.json ? StatisticsJson(*stats)
                                          : StatisticsTable(*stats, options.reference.has_value());
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kExitFailed;
}

}  // namespace
}  // namespace orbex

int main(int argc, char** argv) {
    return orbex::Run(argc, argv);
}
