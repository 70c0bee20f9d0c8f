// The running average and spread (standard deviation, in the samples' own unit) of one velocity
// component over every sample taken, however many points the target still shows.
#pragma once

namespace orbex {

class RunningSpread {
  public:
    void Add(double value);
    void Reset() { *this = RunningSpread(); }

    int count() const { return count_; }
    double sum() const { return sum_; }
    double average() const { return average_; }
    // The square root of the mean squared deviation from the average of all samples.
    double spread() const;

  private:
    int count_ = 0;
    double sum_ = 0;
    double average_ = 0;
    double squaredDeviations_ = 0;
};

}  // namespace orbex
