#include "windows/position_plot/plot_points.h"

#include <new>

namespace orbex {

PlotPoints::AppendResult PlotPoints::Append(PlotPoint point) {
    if (!points_.empty() && points_.back() == point) {
        return {Outcome::SameAsLast, std::nullopt};
    }
    return Store(point);
}

PlotPoints::AppendResult PlotPoints::AppendCentre(PlotPoint point) {
    return Store(point);
}

PlotPoints::AppendResult PlotPoints::Store(PlotPoint point) {
    try {
        if (growthCheck_) {
            growthCheck_();
        }
        points_.push_back(point);
    } catch (const std::bad_alloc&) {
        return {Outcome::OutOfMemory, std::nullopt};
    }
    AppendResult result;
    // Re-centring appends too, so the cap is kept on every append: the array stays bounded
    // even when every fix lands off screen.
    if (points_.size() > kCapacity) {
        result.dropped = points_.front();
        points_.pop_front();
    }
    return result;
}

void PlotPoints::DropOldestHalf() {
    points_.erase(points_.begin(), points_.begin() + static_cast<std::ptrdiff_t>(size() / 2));
}

}  // namespace orbex
