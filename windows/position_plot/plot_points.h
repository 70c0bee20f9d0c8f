// The fixes the position plot shows: (longitude, latitude) in signed arc-seconds, oldest first,
// at most 300. Appending may run out of memory; the window then shows "Not enough memory" and
// drops the oldest half, so the outcome is reported instead of thrown.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>

namespace orbex {

struct PlotPoint {
    double lon = 0;
    double lat = 0;
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

class PlotPoints {
  public:
    static constexpr std::size_t kCapacity = 300;

    enum class Outcome { Appended, SameAsLast, OutOfMemory };
    struct AppendResult {
        Outcome outcome = Outcome::Appended;
        std::optional<PlotPoint> dropped;  // the oldest point, when the cap removed it
    };

    // An ordinary append: a point equal to the last one is not stored again.
    AppendResult Append(PlotPoint point);
    // The centre of a re-centred view; stored even when it equals the last point.
    AppendResult AppendCentre(PlotPoint point);
    // Removes the oldest n/2 of n points (after running out of memory).
    void DropOldestHalf();

    std::size_t size() const { return points_.size(); }
    bool empty() const { return points_.empty(); }
    const PlotPoint& operator[](std::size_t i) const { return points_[i]; }
    auto begin() const { return points_.begin(); }
    auto end() const { return points_.end(); }

    // Called before the array grows; it may throw std::bad_alloc, as a failing allocation does.
    // Lets the low-memory path be exercised without exhausting the machine.
    void SetGrowthCheck(std::function<void()> check) { growthCheck_ = std::move(check); }

  private:
    AppendResult Store(PlotPoint point);

    std::deque<PlotPoint> points_;
    std::function<void()> growthCheck_;
};

}  // namespace orbex
