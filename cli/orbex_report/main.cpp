// orbex-report: a self-contained HTML report of TTFF series (from orbex-ttff --json or
// --summary) or of the accuracy of recorded fixes, with inline pictures a lab can file.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/common/command_line.h"
#include "cli/common/recording_fixes.h"
#include "cli/orbex_report/accuracy_report.h"
#include "cli/orbex_report/report_file.h"
#include "cli/orbex_report/report_options.h"
#include "cli/orbex_report/ttff_report.h"
#include "cli/orbex_report/ttff_results.h"

namespace orbex {
namespace {

int Fail(const std::string& reason, int code) {
    return EndWith("orbex-report", code, reason);
}

int TtffReport(const ReportOptions& options, std::string& html) {
    TtffResults results;
    const bool several = options.inputs.size() > 1;
    for (const std::string& input : options.inputs) {
        std::string error;
        const std::string label = several ? std::filesystem::path(input).filename().string() : "";
        if (!ReadTtffResults(input, label, results, error)) {
            return Fail(error, kExitBadUse);
        }
    }
    for (const std::string& skipped : results.skipped) {
        std::fprintf(stderr, "orbex-report: %s (skipped)\n", skipped.c_str());
    }
    if (results.cycles.empty()) {
        return Fail("no TTFF results in the input (orbex-ttff --json or --summary writes them)",
                    kExitFailed);
    }
    // The command line's figures before the ones the input states.
    TtffReportSettings settings = SettingsFromResults(results);
    if (options.limit) {
        settings.limit = options.limit;
    }
    settings.percentile = options.percentile.value_or(settings.percentile);
    settings.maxFailures = options.maxFailures.value_or(settings.maxFailures);
    if (!options.title.empty()) {
        settings.title = options.title;
    }
    html = TtffReportHtml(results, settings);
    return 0;
}

int AccuracyReport(const ReportOptions& options, std::string& html) {
    std::vector<RecordingPoints> recordings;
    bool anyFix = false;
    for (const std::string& input : options.inputs) {
        RecordingFixes read;
        std::string error;
        RecordingPoints points;
        points.name = input;
        if (!ReadRecordingFixes(input, read, error)) {
            if (read.lines == 0) {
                return Fail(error, kExitBadUse);
            }
            points.problem = error + " (the fixes before it are shown)";
            std::fprintf(stderr, "orbex-report: %s\n", error.c_str());
        }
        points.lines = read.lines;
        for (const PositionFix& fix : read.fixes) {
            points.fixes.push_back(fix.position);
        }
        if (points.fixes.empty()) {
            std::fprintf(stderr, "orbex-report: no fixes in %s (%zu lines, %zu decoded)\n",
                         input.c_str(), read.lines, read.decoded);
        }
        anyFix = anyFix || !points.fixes.empty();
        recordings.push_back(std::move(points));
    }
    if (!anyFix) {
        return Fail("no fixes in any recording", kExitFailed);
    }
    html = AccuracyReportHtml(recordings, options.reference,
                              options.title.empty() ? "Accuracy report" : options.title);
    return 0;
}

int Run(ReportOptions& options) {
    std::string html;
    const int code = options.kind == ReportKind::Ttff ? TtffReport(options, html)
                                                      : AccuracyReport(options, html);
    if (code != 0) {
        return code;
    }
    if (std::string error; !WriteReportFile(options.output, html, error)) {
        return Fail(error, kExitFailed);
    }
    return 0;
}

}  // namespace
}  // namespace orbex

int main(int argc, char** argv) {
    return orbex::RunCommandLine("orbex-report", argc, argv, orbex::ParseReportOptions,
                                 orbex::ReportUsage, orbex::Run);
}
