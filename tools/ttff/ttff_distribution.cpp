#include "tools/ttff/ttff_distribution.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace orbex {

void TtffDistribution::Add(double seconds) {
    // A time that is no number or negative would have no bin; the series never counts one.
    if (std::isfinite(seconds) && seconds >= 0) {
        results_.push_back(seconds);
    }
}

double TtffDistribution::Mean() const {
    return results_.empty() ? 0
                            : std::accumulate(results_.begin(), results_.end(), 0.0) /
                                  static_cast<double>(results_.size());
}

double TtffDistribution::Fastest() const {
    return results_.empty() ? 0 : *std::min_element(results_.begin(), results_.end());
}

double TtffDistribution::Slowest() const {
    return results_.empty() ? 0 : *std::max_element(results_.begin(), results_.end());
}

std::vector<TtffBin> TtffDistribution::Bins() const {
    std::vector<TtffBin> bins;
    if (results_.empty()) {
        return bins;
    }
    const long first = static_cast<long>(std::floor(Fastest()));
    const long last = static_cast<long>(std::floor(Slowest()));
    bins.resize(static_cast<std::size_t>(last - first + 1));
    for (std::size_t i = 0; i < bins.size(); ++i) {
        bins[i].second = first + static_cast<long>(i);
    }
    for (double seconds : results_) {
        ++bins[static_cast<std::size_t>(static_cast<long>(std::floor(seconds)) - first)].count;
    }
    return bins;
}

std::vector<TtffStep> TtffDistribution::Cumulative() const {
    std::vector<double> sorted = results_;
    std::sort(sorted.begin(), sorted.end());
    std::vector<TtffStep> steps;
    const double n = static_cast<double>(sorted.size());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (i + 1 < sorted.size() && sorted[i + 1] == sorted[i]) {
            continue;  // the last of equal times carries their share
        }
        steps.push_back({sorted[i], static_cast<double>(i + 1) / n});
    }
    return steps;
}

}  // namespace orbex
