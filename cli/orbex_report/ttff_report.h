// The TTFF report: what was read (each run's options when a summary gives them), the statistics
// per receiver and over all (the figures orbex-ttff prints for the same results), the verdict
// against a limit with how sure it is, the histogram and cumulative distribution, and every
// cycle's row.
#pragma once

#include <optional>
#include <string>

#include "cli/orbex_report/ttff_results.h"

namespace orbex {

struct TtffReportSettings {
    std::optional<double> limit;  // seconds
    double percentile = 95;
    int maxFailures = 0;  // failed cycles a pass allows
    std::string title = "TTFF report";
};

// The settings a report of `results` takes when the command line gives none: the limit,
// percentile and allowed failures of the first summary that states them, else the percentile of
// --json's statistics, else 95.
TtffReportSettings SettingsFromResults(const TtffResults& results);

// True when the limit holds for the results over all, by orbex-ttff's rule: at least one result,
// the percentile at or below the limit, no more failed cycles than allowed, and no receiver
// without a result. True without a limit.
bool TtffLimitHolds(const TtffResults& results, const TtffReportSettings& settings);

// Cycles of one receiver (all for an empty name) whose time is at or below `limit`, and all its
// cycles (failed ones count as outside the limit).
struct WithinLimit {
    int within = 0;
    int cycles = 0;
};
WithinLimit WithinLimitOf(const TtffResults& results, const std::string& receiver, double limit);

std::string TtffReportHtml(const TtffResults& results, const TtffReportSettings& settings);

// The report of `results` written to `path` (through a file beside it, so a failed write leaves
// any earlier report in place). False with a one-line reason.
bool WriteTtffReport(const TtffResults& results, const TtffReportSettings& settings,
                     const std::string& path, std::string& error);

}  // namespace orbex
