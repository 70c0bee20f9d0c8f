#include "tools/ttff/ttff_chart.h"

#include <algorithm>
#include <cmath>

#include "gui/monitor_font.h"
#include "windows/common/monitor_colours.h"

namespace orbex {
namespace {

constexpr int kLeft = 40;  // value labels
constexpr int kRight = 12;
constexpr int kTitle = 22;        // the summary line
constexpr int kCaption = 18;      // each picture's name above it
constexpr int kTimeLabels = 18;   // seconds under each picture
constexpr int kLabelPixels = 36;  // least room between two time labels
constexpr long kLeastSpan = 10;   // seconds across the time axis

// A label step of 1, 2 or 5 times a power of ten seconds that keeps the labels apart.
long LabelStep(long span, int pixels) {
    const long most = std::max(1, pixels / kLabelPixels);
    for (long power = 1;; power *= 10) {
        for (long factor : {1L, 2L, 5L}) {
            if (span / (factor * power) < most) {
                return factor * power;
            }
        }
    }
}

QString Seconds(double value) {
    return QString::number(value, 'f', value == std::floor(value) ? 0 : 1);
}

}  // namespace

TtffChart::TtffChart(QWidget* parent)
    : PaintedChild(QStringLiteral("ttffchart"), parent), font_(MonitorFont(14)) {
    setMinimumSize(300, 240);
}

void TtffChart::AddResult(double seconds) {
    distribution_.Add(seconds);
    update();
}

void TtffChart::ClearResults() {
    distribution_.Clear();
    update();
}

QRect TtffChart::HistogramArea() const {
    const int each = std::max(40, (height() - kTitle - 2 * (kCaption + kTimeLabels)) / 2);
    return QRect(kLeft, kTitle + kCaption, std::max(60, width() - kLeft - kRight), each);
}

QRect TtffChart::CumulativeArea() const {
    const QRect histogram = HistogramArea();
    return histogram.translated(0, histogram.height() + kTimeLabels + kCaption);
}

int TtffChart::X(const QRect& area, double seconds, long first, long span) const {
    return area.left() + static_cast<int>(std::lround((seconds - static_cast<double>(first)) *
                                                      area.width() / static_cast<double>(span)));
}

void TtffChart::Paint(DrawSurface& surface) {
    surface.Fill(rect(), kBlack);
    surface.SetFont(font_);
    if (distribution_.size() == 0) {
        surface.TextOut(8, 4, QStringLiteral("No TTFF results yet"), kWhite, kBlack);
        return;
    }
    surface.TextOut(8, 4,
                    QStringLiteral("%1 results: mean %2 s, min %3 s, max %4 s")
                        .arg(distribution_.size())
                        .arg(QString::number(distribution_.Mean(), 'f', 1))
                        .arg(Seconds(distribution_.Fastest()))
                        .arg(Seconds(distribution_.Slowest())),
                    kWhite, kBlack);
    // At least ten seconds across, the results in the middle, so that a series of one or two
    // bins still reads as a histogram and not as a filled box.
    const std::vector<TtffBin> bins = distribution_.Bins();
    const long count = static_cast<long>(bins.size());
    const long span = std::max(kLeastSpan, count);
    const long first = std::max(0L, bins.front().second - (span - count) / 2);
    PaintHistogram(surface, bins, first, span);
    PaintCumulative(surface, first, span);
}

void TtffChart::PaintTimeLabels(DrawSurface& surface, const QRect& area, long first, long span) {
    const long step = LabelStep(span, area.width());
    for (long second = (first + step - 1) / step * step; second <= first + span; second += step) {
        const int x = X(area, static_cast<double>(second), first, span);
        surface.Line({x, area.bottom()}, {x, area.bottom() + 3}, kAxisGrey);
        surface.TextInRect(QRect(x - 30, area.bottom() + 3, 60, kTimeLabels - 2), Qt::AlignHCenter,
                           QString::number(second), kAxisGrey, NoColor());
    }
}

void TtffChart::PaintHistogram(DrawSurface& surface, const std::vector<TtffBin>& bins, long first,
                               long span) {
    const QRect area = HistogramArea();
    surface.TextOut(area.left(), area.top() - kCaption, QStringLiteral("Cycles per 1 s bin"),
                    kWhite, kBlack);
    int most = 1;
    for (const TtffBin& bin : bins) {
        most = std::max(most, bin.count);
    }
    for (int value : {0, most}) {
        const int y = area.bottom() - value * (area.height() - 1) / most;
        surface.Line({area.left(), y}, {area.right(), y}, kGridGrey);
        surface.TextInRect(QRect(0, y - 8, kLeft - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                           QString::number(value), kAxisGrey, NoColor());
    }
    // One bar per bin that holds results, at least a pixel wide with a pixel between bars
    // where there is room.
    for (const TtffBin& bin : bins) {
        if (bin.count == 0) {
            continue;
        }
        const int left = X(area, static_cast<double>(bin.second), first, span);
        const int right = X(area, static_cast<double>(bin.second + 1), first, span);
        const int width = std::max(1, right - left - (right - left > 3 ? 1 : 0));
        const int height = std::max(1, bin.count * area.height() / most);
        surface.Fill(QRect(left, area.bottom() + 1 - height, width, height), kCyan);
    }
    surface.Rectangle(area, kAxisGrey, NoColor());
    PaintTimeLabels(surface, area, first, span);
}

void TtffChart::PaintCumulative(DrawSurface& surface, long first, long span) {
    const QRect area = CumulativeArea();
    surface.TextOut(area.left(), area.top() - kCaption,
                    QStringLiteral("Share of results at or below (%)"), kWhite, kBlack);
    for (int percent : {0, 50, 100}) {
        const int y = area.bottom() - percent * (area.height() - 1) / 100;
        surface.Line({area.left(), y}, {area.right(), y}, kGridGrey);
        surface.TextInRect(QRect(0, y - 8, kLeft - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                           QString::number(percent), kAxisGrey, NoColor());
    }
    // Steps: flat until a result's time, then up to the share at or below it.
    const auto y = [&area](double share) {
        return area.bottom() - static_cast<int>(std::lround(share * (area.height() - 1)));
    };
    QPoint at(area.left(), y(0));
    for (const TtffStep& step : distribution_.Cumulative()) {
        const QPoint flat(X(area, step.seconds, first, span), at.y());
        const QPoint up(flat.x(), y(step.share));
        surface.Line(at, flat, kYellow, 2);
        surface.Line(flat, up, kYellow, 2);
        at = up;
    }
    surface.Line(at, {area.right(), at.y()}, kYellow, 2);
    surface.Rectangle(area, kAxisGrey, NoColor());
    PaintTimeLabels(surface, area, first, span);
}

}  // namespace orbex
