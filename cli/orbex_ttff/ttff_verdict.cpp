#include "cli/orbex_ttff/ttff_verdict.h"

#include <cstdio>

#include "cli/orbex_ttff/binomial_bound.h"

namespace orbex {

TtffVerdict JudgeSeries(const TtffOptions& options, const std::vector<std::string>& ports,
                        const std::vector<PortResults>& results) {
    TtffVerdict verdict;
    std::vector<double> ttffs;
    std::vector<double> errors;
    int failures = 0;
    std::string receiverReason;
    std::string nothingMeasured;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const PortResults& r = results[i];
        ttffs.insert(ttffs.end(), r.ttffs.begin(), r.ttffs.end());
        errors.insert(errors.end(), r.errors.begin(), r.errors.end());
        failures += r.failures;
        if (r.ttffs.empty() && nothingMeasured.empty()) {
            nothingMeasured = ports[i] + " measured nothing";
        }
        const char* why = r.lost                              ? " went away"
                          : r.ttffs.empty() && r.failures > 0 ? " failed every cycle"
                          : r.recordFailed                    ? ": a result was not recorded"
                                                              : nullptr;
        if (why != nullptr && receiverReason.empty()) {
            receiverReason = ports[i] + why;
        }
    }
    verdict.all = ComputeStatistics(ttffs, failures, options.percentile);
    verdict.allErrors = ComputeErrorFigures(errors);
    verdict.receiverFailed = !receiverReason.empty();
    verdict.reason = receiverReason;
    if (!options.limit) {
        return verdict;
    }
    for (double t : ttffs) {
        verdict.within += t <= *options.limit ? 1 : 0;
    }
    verdict.cycles = static_cast<int>(ttffs.size()) + failures;
    verdict.confidence = ClopperPearsonLowerBound(verdict.within, verdict.cycles);
    char text[160];
    if (!nothingMeasured.empty()) {
        verdict.reason = nothingMeasured;
    } else if (failures > options.maxFailures) {
        std::snprintf(text, sizeof text, "%d failed cycles, %d allowed", failures,
                      options.maxFailures);
        verdict.reason = text;
    } else if (verdict.all.percentile > *options.limit) {
        std::snprintf(text, sizeof text, "p%g %.2f s above %g s", options.percentile,
                      verdict.all.percentile, *options.limit);
        verdict.reason = text;
    }
    verdict.pass = verdict.reason.empty();
    return verdict;
}

std::string VerdictLine(const TtffOptions& options, const TtffVerdict& verdict) {
    if (!verdict.pass) {
        return {};
    }
    char text[200];
    std::snprintf(text, sizeof text,
                  "%d of %d cycles within %g s, lower 95 %% confidence bound of the share %.4f",
                  verdict.within, verdict.cycles, *options.limit, verdict.confidence.value_or(0));
    return std::string("verdict: ") + (*verdict.pass ? "pass" : "fail (" + verdict.reason + ")") +
           ", " + text;
}

}  // namespace orbex
