// The TTFF window's picture of the current series: the histogram of its results in 1 s bins
// above their cumulative distribution, on one time axis, in the monitor windows' dark style.
// Drawn through the drawing interface, so a draw log shows what it drew.
#pragma once

#include <QFont>

#include "tools/ttff/ttff_distribution.h"
#include "windows/common/painted_child.h"

namespace orbex {

class TtffChart : public PaintedChild {
  public:
    explicit TtffChart(QWidget* parent = nullptr);

    // A measured result (seconds); repaints.
    void AddResult(double seconds);
    // CLEAR: the series starts again.
    void ClearResults();

    const TtffDistribution& distribution() const { return distribution_; }
    // Where the histogram's bars and the distribution's steps go, for the current size.
    QRect HistogramArea() const;
    QRect CumulativeArea() const;

    void Paint(DrawSurface& surface) override;
    QSize sizeHint() const override { return {380, 300}; }

  private:
    void PaintHistogram(DrawSurface& surface, const std::vector<TtffBin>& bins, long first,
                        long span);
    void PaintCumulative(DrawSurface& surface, long first, long span);
    void PaintTimeLabels(DrawSurface& surface, const QRect& area, long first, long span);
    int X(const QRect& area, double seconds, long first, long span) const;

    TtffDistribution distribution_;
    QFont font_;
};

}  // namespace orbex
