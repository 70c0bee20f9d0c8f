#include "windows/velocity/running_spread.h"

#include <cmath>

namespace orbex {

void RunningSpread::Add(double value) {
    ++count_;
    sum_ += value;
    const double previousAverage = average_;
    average_ = sum_ / count_;
    // The deviation against both the old and the new average keeps the sum of squared
    // deviations exact for all samples so far (it is not re-centred on each new average).
    squaredDeviations_ += (value - previousAverage) * (value - average_);
}

double RunningSpread::spread() const {
    if (count_ == 0 || squaredDeviations_ <= 0) {
        return 0;
    }
    return std::sqrt(squaredDeviations_ / count_);
}

}  // namespace orbex
