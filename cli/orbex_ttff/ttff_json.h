// orbex-ttff's JSON besides the results: the statistics object of --json, and the summary file
// a lab files, which holds the options, every receiver's results and statistics, and the verdict.
#pragma once

#include <string>
#include <vector>

#include "cli/orbex_ttff/port_series.h"
#include "cli/orbex_ttff/ttff_options.h"
#include "cli/orbex_ttff/ttff_verdict.h"

namespace orbex {

// {"statistics":{"percentile":95,"ports":{...},"all":{...}[,"verdict":...,"confidence":...]}}
std::string StatisticsJson(const TtffOptions& options, const std::vector<std::string>& ports,
                           const std::vector<PortResults>& results, const TtffVerdict& verdict);

// The summary; `complete` once the series has ended (also after Ctrl-C).
std::string SummaryJson(const TtffOptions& options, const std::vector<std::string>& ports,
                        const std::vector<PortResults>& results, const TtffVerdict& verdict,
                        bool complete);

}  // namespace orbex
