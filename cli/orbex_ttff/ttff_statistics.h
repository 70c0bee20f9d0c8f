// The statistics of TTFF results a test report needs.
#pragma once

#include <optional>
#include <vector>

namespace orbex {

struct TtffStatistics {
    int count = 0;     // measured results
    int failures = 0;  // cycles that ended with an error text
    double mean = 0;
    double median = 0;
    double percentile = 0;  // the requested percentile, nearest rank
    double minimum = 0;
    double maximum = 0;
    double deviation = 0;  // sample standard deviation (0 below two results)
};

// `percentile` in (0, 100]: the smallest result with at least that share of results at or
// below it. With no results every figure is 0.
TtffStatistics ComputeStatistics(std::vector<double> ttffs, int failures, double percentile);

// The distances of first fixes from the reference position, in metres.
struct ErrorFigures {
    double median = 0;
    double p95 = 0;  // nearest rank
};

// Nothing when there is no distance.
std::optional<ErrorFigures> ComputeErrorFigures(std::vector<double> metres);

}  // namespace orbex
