#include "cli/orbex_ttff/ttff_statistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace orbex {

TtffStatistics ComputeStatistics(std::vector<double> ttffs, int failures, double percentile) {
    TtffStatistics s;
    s.failures = failures;
    s.count = static_cast<int>(ttffs.size());
    if (ttffs.empty()) {
        return s;
    }
    std::sort(ttffs.begin(), ttffs.end());
    const std::size_t n = ttffs.size();
    s.minimum = ttffs.front();
    s.maximum = ttffs.back();
    s.mean = std::accumulate(ttffs.begin(), ttffs.end(), 0.0) / static_cast<double>(n);
    s.median = n % 2 == 1 ? ttffs[n / 2] : (ttffs[n / 2 - 1] + ttffs[n / 2]) / 2;
    const auto rank =
        static_cast<std::size_t>(std::ceil(percentile * static_cast<double>(n) / 100));
    s.percentile = ttffs[std::clamp<std::size_t>(rank, 1, n) - 1];
    if (n > 1) {
        double squares = 0;
        for (double t : ttffs) {
            squares += (t - s.mean) * (t - s.mean);
        }
        s.deviation = std::sqrt(squares / static_cast<double>(n - 1));
    }
    return s;
}

std::optional<ErrorFigures> ComputeErrorFigures(std::vector<double> metres) {
    if (metres.empty()) {
        return std::nullopt;
    }
    const TtffStatistics s = ComputeStatistics(std::move(metres), 0, 95);
    return ErrorFigures{s.median, s.percentile};
}

}  // namespace orbex
