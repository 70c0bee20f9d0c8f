// The TTFF report: what was read, the statistics per receiver and over all (the figures
// orbex-ttff prints for the same results), the histogram and cumulative distribution with the
// verdict against a limit, and every cycle's row.
#pragma once

#include <optional>
#include <string>

#include "cli/orbex_report/ttff_results.h"

namespace orbex {

struct TtffReportSettings {
    std::optional<double> limit;  // seconds
    double percentile = 95;
    std::string title = "TTFF report";
};

// True when the limit holds for the results over all: at least one result, and the percentile
// at or below the limit (orbex-ttff's rule).
bool TtffLimitHolds(const TtffResults& results, const TtffReportSettings& settings);

std::string TtffReportHtml(const TtffResults& results, const TtffReportSettings& settings);

}  // namespace orbex
