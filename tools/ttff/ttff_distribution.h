// The distribution of a TTFF series' results, for the TTFF window's picture: one bin per whole
// second from the fastest result to the slowest (empty seconds included) and the share of
// results at or below each time. Fed on the user-interface thread, one result per cycle.
#pragma once

#include <cstddef>
#include <vector>

namespace orbex {

struct TtffBin {
    long second = 0;  // results from this second up to the next
    int count = 0;
};

struct TtffStep {
    double seconds = 0;  // a result's time
    double share = 0;    // share of the results at or below it, 0..1
};

class TtffDistribution {
  public:
    void Add(double seconds);
    void Clear() { results_.clear(); }

    std::size_t size() const { return results_.size(); }
    double Mean() const;
    double Fastest() const;
    double Slowest() const;

    // One bin per second from the fastest to the slowest; empty with no results.
    std::vector<TtffBin> Bins() const;
    // One step per distinct time, in ascending order.
    std::vector<TtffStep> Cumulative() const;

  private:
    std::vector<double> results_;
};

}  // namespace orbex
