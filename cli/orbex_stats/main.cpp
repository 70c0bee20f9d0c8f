// orbex-stats: the accuracy figures of the fixes of a recording, computed by the same code as
// the Position Plot's statistics block.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cli/common/command_line.h"
#include "cli/common/recording_fixes.h"
#include "cli/orbex_stats/stats_options.h"
#include "cli/orbex_stats/stats_report.h"
#include "decode/accuracy_statistics.h"

namespace orbex {
namespace {

struct OutputFile {
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file;
    std::string name = "standard output";
};

int Run(StatsOptions& options) {
    // The output is opened before the work, so that a path that cannot be written is told at
    // once; a write that fails later (a full disk) is told when it happens.
    OutputFile output;
    if (!options.output.empty()) {
        output.file.reset(std::fopen(options.output.c_str(), "w"));
        if (!output.file) {
            std::fprintf(stderr, "orbex-stats: cannot open %s: %s\n", options.output.c_str(),
                         std::strerror(errno));
            return kExitBadUse;
        }
        output.name = options.output;
    }
    RecordingFixes recording;
    std::string error;
    if (!ReadRecordingFixes(options.path, recording, error)) {
        std::fprintf(stderr, "orbex-stats: %s\n", error.c_str());
        return recording.opened ? kExitFailed : kExitBadUse;
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
    std::FILE* target = output.file ? output.file.get() : stdout;
    bool written =
        std::fwrite(text.data(), 1, text.size(), target) == text.size() && std::fflush(target) == 0;
    if (written && output.file) {
        written = std::fclose(output.file.release()) == 0;
    }
    if (!written) {
        std::fprintf(stderr, "orbex-stats: cannot write %s: %s\n", output.name.c_str(),
                     std::strerror(errno));
        return kExitFailed;
    }
    return 0;
}

}  // namespace
}  // namespace orbex

int main(int argc, char** argv) {
    return orbex::RunCommandLine("orbex-stats", argc, argv, orbex::ParseStatsOptions,
                                 orbex::StatsUsage, orbex::Run);
}
