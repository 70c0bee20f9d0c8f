// How a run of orbex-ttff ends: the statistics over all receivers, the pass or fail against
// --limit with how sure the pass rate is, and whether a receiver failed in a way that fails
// the run even without a limit.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/orbex_ttff/port_series.h"
#include "cli/orbex_ttff/ttff_options.h"
#include "cli/orbex_ttff/ttff_statistics.h"

namespace orbex {

struct TtffVerdict {
    TtffStatistics all;
    std::optional<ErrorFigures> allErrors;
    std::optional<bool> pass;          // with --limit only
    std::optional<double> confidence;  // with --limit: lower 95 % bound of the share within it
    int within = 0;                    // results at or below the limit
    int cycles = 0;                    // results and failures
    std::string reason;                // why it failed: limit, failures, or a receiver
    bool receiverFailed = false;       // lost, failed every cycle, or its record unwritten
};

TtffVerdict JudgeSeries(const TtffOptions& options, const std::vector<std::string>& ports,
                        const std::vector<PortResults>& results);

// The verdict line of the text output, or "" without --limit.
std::string VerdictLine(const TtffOptions& options, const TtffVerdict& verdict);

}  // namespace orbex
