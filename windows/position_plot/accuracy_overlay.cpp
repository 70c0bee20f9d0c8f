#include "windows/position_plot/accuracy_overlay.h"

#include <QRect>
#include <cmath>
#include <vector>

#include "windows/common/display_text.h"

namespace orbex {

namespace {

constexpr double kArcSecondsPerDegree = 3600.0;

// An ellipse on the plot for a circle of `metres` about `centre`: the plot scales arc-seconds
// alike both ways, and an arc-second east is shorter than one north away from the equator.
QRect CircleOnPlot(const PositionPlot& plot, const GeoPoint& centre, double metres) {
    const GeoPoint oneArcSecond{centre.latDegrees + 1.0 / kArcSecondsPerDegree,
                                centre.lonDegrees + 1.0 / kArcSecondsPerDegree};
    const LocalOffset perArcSecond = OffsetFrom(centre, oneArcSecond);
    const QPoint middle = plot.PixelOf(
        {centre.lonDegrees * kArcSecondsPerDegree, centre.latDegrees * kArcSecondsPerDegree});
    const int rx = static_cast<int>(std::lround(metres / perArcSecond.east * plot.scale()));
    const int ry = static_cast<int>(std::lround(metres / perArcSecond.north * plot.scale()));
    return QRect(middle.x() - rx, middle.y() - ry, 2 * rx, 2 * ry);
}

}  // namespace

std::optional<AccuracyStatistics> AccuracyOverlay::StatisticsOf(const PlotPoints& points) {
    std::vector<GeoPoint> fixes;
    fixes.reserve(points.size());
    for (const PlotPoint& point : points) {
        fixes.push_back({point.lat / kArcSecondsPerDegree, point.lon / kArcSecondsPerDegree});
    }
    return ComputeAccuracyStatistics(fixes);
}

QStringList AccuracyOverlay::Lines(const AccuracyStatistics& s) {
    return {
        DisplayText("Fixes   : %zu", s.fixes),
        DisplayText("Mean    : %12.7f", s.mean.latDegrees),
        DisplayText("          %12.7f", s.mean.lonDegrees),
        DisplayText("Sigma N : %7.2f m", s.sigmaNorth),
        DisplayText("Sigma E : %7.2f m", s.sigmaEast),
        DisplayText("CEP50   : %7.2f m", s.cep50),
        DisplayText("CEP95   : %7.2f m", s.cep95),
        DisplayText("2DRMS   : %7.2f m", s.twoDrms),
        DisplayText("<1m %3.0f%%  <2m  %3.0f%%", s.within[0] * 100, s.within[1] * 100),
        DisplayText("<5m %3.0f%%  <10m %3.0f%%", s.within[2] * 100, s.within[3] * 100),
    };
}

void AccuracyOverlay::Draw(DrawSurface& surface, const PositionPlot& plot) const {
    if (!visible_ || !plot.Drawing()) {
        return;
    }
    const auto stats = StatisticsOf(plot.points());
    if (!stats) {
        return;
    }
    surface.Ellipse(CircleOnPlot(plot, stats->mean, stats->cep50), kColour, NoColor());
    surface.Ellipse(CircleOnPlot(plot, stats->mean, stats->cep95), kColour, NoColor());
    int y = kTop;
    for (const QString& line : Lines(*stats)) {
        surface.TextOut(kLeft, y, line, kColour, NoColor());
        y += kLineHeight;
    }
}

}  // namespace orbex
