// Key "C" of the position plot: off at first, then the figures of the points and the CEP50 and
// CEP95 circles about their mean, in yellow; the same key takes them away.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <memory>

#include "gui/recording_surface.h"
#include "tests/windows/position_plot/plot_records_support.h"
#include "windows/position_plot/position_plot_window.h"

namespace orbex {
namespace {

constexpr double kLat = 128467.38;  // arc-seconds, near 35 41' N
constexpr double kLon = 503140.74;  // near 139 45' E

std::vector<DrawCall> Yellow(const RecordingSurface& s) {
    std::vector<DrawCall> found;
    for (const DrawCall& c : s.calls()) {
        if (c.pen == AccuracyOverlay::kColour || c.fg == AccuracyOverlay::kColour) {
            found.push_back(c);
        }
    }
    return found;
}

TEST(AccuracyOverlayTest, KeyCTogglesFiguresAndCircles) {
    LineDecoder decoder;
    CPositionPlotWnd wnd(decoder);
    wnd.OnReceiverRecord(test::Zda(12, 0, 0));
    wnd.OnReceiverRecord(test::Gga(decoder.samples(), kLat, kLon));
    wnd.OnReceiverRecord(test::Zda(12, 0, 1));
    // Four fixes 0.02 arc-seconds (10 pixels) north, south, east and west of the centre.
    for (auto [dLat, dLon] : {std::pair{0.02, 0.0}, {-0.02, 0.0}, {0.0, 0.02}, {0.0, -0.02}}) {
        wnd.OnReceiverRecord(test::Gga(decoder.samples(), kLat + dLat, kLon + dLon));
    }
    auto paint = [&] {
        RecordingSurface surface;
        wnd.Paint(surface);
        return Yellow(surface);
    };
    EXPECT_TRUE(paint().empty());

    QKeyEvent key(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, QStringLiteral("c"));
    QCoreApplication::sendEvent(&wnd, &key);
    ASSERT_TRUE(wnd.accuracyOverlay().visible());
    const auto yellow = paint();
    ASSERT_EQ(yellow.size(), 2u + 10u);
    // Both circles about the mean, the centre pixel (325, 220). CEP95 reaches the points 10
    // pixels north and south; an arc-second east is shorter, so the circles are wider.
    const DrawCall& cep50 = yellow[0];
    const DrawCall& cep95 = yellow[1];
    EXPECT_EQ(cep50.op, DrawCall::Op::Ellipse);
    EXPECT_EQ(cep95.rect.left() + cep95.rect.width() / 2, 325);
    EXPECT_EQ(cep95.rect.top() + cep95.rect.height() / 2, 220);
    EXPECT_NEAR(cep95.rect.height(), 20, 1);
    EXPECT_LT(cep50.rect.width(), cep95.rect.width());
    EXPECT_EQ(yellow[2].text, QStringLiteral("Fixes   : 5"));

    QKeyEvent again(QEvent::KeyPress, Qt::Key_C, Qt::ShiftModifier, QStringLiteral("C"));
    QCoreApplication::sendEvent(&wnd, &again);
    EXPECT_TRUE(paint().empty());
}

}  // namespace
}  // namespace orbex
