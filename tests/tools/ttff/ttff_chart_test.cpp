// The TTFF window's picture: the series' bins and cumulative steps, what the chart draws for
// them (one bar per second that holds results, the steps reaching 100 % at the slowest), and
// the dialog feeding it counted results only and emptying it on CLEAR.
#include <gtest/gtest.h>

#include <QApplication>
#include <cmath>

#include "gui/recording_surface.h"
#include "tools/ttff/ttff_chart.h"
#include "tools/ttff/ttff_dialog.h"
#include "windows/common/monitor_colours.h"

namespace orbex {
namespace {

std::vector<std::pair<long, int>> BinPairs(const TtffDistribution& d) {
    std::vector<std::pair<long, int>> pairs;
    for (const TtffBin& bin : d.Bins()) {
        pairs.emplace_back(bin.second, bin.count);
    }
    return pairs;
}

TEST(TtffDistributionTest, BinsEverySecondAndStepsEachDistinctTime) {
    TtffDistribution d;
    EXPECT_TRUE(d.Bins().empty());
    for (double s : {3.0, 3.5, 5.2, 3.9, 7.0, -1.0, std::nan("")}) {
        d.Add(s);
    }
    EXPECT_EQ(d.size(), 5u);  // no bin for a negative time or no number
    EXPECT_EQ(BinPairs(d),
              (std::vector<std::pair<long, int>>{{3, 3}, {4, 0}, {5, 1}, {6, 0}, {7, 1}}));
    const std::vector<TtffStep> steps = d.Cumulative();
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_DOUBLE_EQ(steps[2].seconds, 3.9);
    EXPECT_DOUBLE_EQ(steps[2].share, 0.6);
    EXPECT_DOUBLE_EQ(steps.back().share, 1.0);

    TtffDistribution equal;
    for (double s : {4.0, 6.0, 4.0}) {
        equal.Add(s);
    }
    const std::vector<TtffStep> two = equal.Cumulative();
    ASSERT_EQ(two.size(), 2u);
    EXPECT_DOUBLE_EQ(two[0].share, 2.0 / 3);
}

std::vector<const DrawCall*> Bars(const RecordingSurface& surface, const QRect& area) {
    std::vector<const DrawCall*> bars;
    for (const DrawCall& call : surface.calls()) {
        if (call.op == DrawCall::Op::Fill && call.fg == kCyan && area.contains(call.rect)) {
            bars.push_back(&call);
        }
    }
    return bars;
}

TEST(TtffChartTest, DrawsOneBarPerSecondWithResultsAndStepsToTheTop) {
    TtffChart chart;
    chart.resize(420, 300);
    RecordingSurface empty;
    chart.Paint(empty);
    EXPECT_NE(empty.FindText(QStringLiteral("No TTFF results yet")), nullptr);

    for (double s : {31.0, 31.0, 31.0, 34.0, 40.0, 33.0}) {
        chart.AddResult(s);
    }
    RecordingSurface surface;
    chart.Paint(surface);
    EXPECT_NE(surface.FindText(QStringLiteral("6 results: mean 33.3 s, min 31 s, max 40 s")),
              nullptr);
    const QRect histogram = chart.HistogramArea();
    const std::vector<const DrawCall*> bars = Bars(surface, histogram);
    // Bins 31..40: four hold results. The full bin reaches the top, the others a third of it,
    // each starting at its second on the ten-second axis.
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_EQ(bars[0]->rect.top(), histogram.top());
    EXPECT_EQ(bars[0]->rect.bottom(), histogram.bottom());
    for (std::size_t i = 1; i < bars.size(); ++i) {
        EXPECT_EQ(bars[i]->rect.height(), histogram.height() / 3);
        EXPECT_GT(bars[i]->rect.left(), bars[i - 1]->rect.right());
    }
    EXPECT_EQ(bars[1]->rect.left() - histogram.left(),
              static_cast<int>(std::lround(2 * histogram.width() / 10.0)));  // 33 s
    EXPECT_EQ(bars[3]->rect.left() - histogram.left(),
              static_cast<int>(std::lround(9 * histogram.width() / 10.0)));  // 40 s

    // The distribution's steps climb from the bottom to the top and never fall back.
    const QRect cumulative = chart.CumulativeArea();
    EXPECT_GT(cumulative.top(), histogram.bottom());
    std::vector<const DrawCall*> steps;
    for (const DrawCall& call : surface.calls()) {
        if (call.op == DrawCall::Op::Line && call.pen == kYellow) {
            steps.push_back(&call);
        }
    }
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front()->from.y(), cumulative.bottom());
    EXPECT_EQ(steps.back()->to, QPoint(cumulative.right(), cumulative.top()));
    for (const DrawCall* step : steps) {
        EXPECT_LE(step->to.y(), step->from.y());
        EXPECT_GE(step->to.x(), step->from.x());
    }
}

TEST(TtffChartTest, TheDialogAddsCountedResultsAndClearEmptiesThePicture) {
    CTtffDlg dialog;
    CycleReport report;
    report.end = CycleEnd::Result;
    report.ttff = 12;
    dialog.OnCycleEnded(report);
    report.end = CycleEnd::TimeError;
    dialog.OnCycleEnded(report);
    report.end = CycleEnd::Stopped;
    dialog.OnCycleEnded(report);
    QApplication::processEvents();
    EXPECT_EQ(dialog.chart()->distribution().size(), 1u);
    dialog.ClearResults();
    QApplication::processEvents();
    EXPECT_EQ(dialog.chart()->distribution().size(), 0u);
}

}  // namespace
}  // namespace orbex
