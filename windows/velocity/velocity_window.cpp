#include "windows/velocity/velocity_window.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWindow>
#include <bit>
#include <cstdint>

#include "gui/monitor_font.h"
#include "windows/common/display_text.h"
#include "windows/common/monitor_colours.h"
#include "windows/position_plot/pixel_math.h"

namespace orbex {
namespace {

// The zoom buttons sit side by side at the right edge, halfway down.
ZoomButtonPlaces ButtonPlaces(QSize window) {
    const int w = window.width();
    const int h = window.height();
    return {{w - 60, h / 2 - 20}, {w - 30, h / 2 - 20}};
}

}  // namespace

CVelocityWnd::CVelocityWnd(const QString& title, QWidget* parent)
    : CMonitorWnd(kVelocityKind, title, parent),
      textFont_(MonitorFont(15)),
      zoom_(*this, plot_.zoom(), &ButtonPlaces) {
    // Every paint covers the whole window (its ground is in the target's layer): no background
    // fill before it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(VelocityPlot::kClientWidth, VelocityPlot::kClientHeight);
    plot_.Resize(size());
    zoom_.Follow(size());
}

void CVelocityWnd::OnReceiverRecord(const ReceiverState& record) {
    RequestRepaint(*this, plot_.OnRecord(record));
}

void CVelocityWnd::Paint(DrawSurface& surface) {
    // The black ground and the target change only with the window's size and the scale.
    surface.Layer(target_, size(), std::bit_cast<std::uint32_t>(plot_.scale()),
                  [this](DrawSurface& layer) {
                      layer.Fill(rect(), kBlack);
                      layer.SetFont(textFont_);
                      PaintTarget(layer);
                  });
    surface.SetFont(textFont_);
    if (plot_.sampleCount() == 0) {
        return;
    }
    PaintTexts(surface);
    for (const VelocityPoint& point : plot_.points()) {
        surface.Ellipse(SquareAround(plot_.PixelOf(point), 2), kRed, NoColor());
    }
    for (const VelocityPoint& point : plot_.points()) {
        surface.Ellipse(SquareAround(plot_.PixelOf(point), 4), kGreen, NoColor());
    }
}

void CVelocityWnd::PaintTarget(DrawSurface& surface) {
    const QPoint c = plot_.centre();
    const double scale = plot_.scale();
    // A ring per km/h out to the centre's height; every tenth in red, the others in blue and
    // only when they are at least a pixel apart. Rings that fall on the same radius are drawn
    // once.
    const double rings = c.y() / scale;
    const bool blueRings = scale >= 1.0;
    int radius = 1;
    int lastDrawn = -1;
    for (int d = blueRings ? 1 : 10; d <= rings; d += blueRings ? 1 : 10) {
        radius = TruncateToPixel(d * scale);
        if (radius == lastDrawn) {
            continue;
        }
        lastDrawn = radius;
        surface.Ellipse(SquareAround(c, radius), d % 10 == 0 ? kRed : kBlue, NoColor());
    }
    if (!blueRings && rings >= 1) {
        // The axes reach the last ring of the loop, drawn or not.
        radius = TruncateToPixel(static_cast<int>(rings) * scale);
    }
    surface.Line({c.x(), c.y() - radius}, {c.x(), c.y() + radius}, kWhite);
    surface.Line({c.x() - radius, c.y()}, {c.x() + radius, c.y()}, kWhite);
    surface.TextOut(c.x() + 8, c.y() - radius + 5, QStringLiteral("N"), kWhite, kBlack);
    surface.TextOut(c.x() + 8, c.y() + radius - 21, QStringLiteral("S"), kWhite, kBlack);
    surface.TextOut(c.x() - radius + 5, c.y() + 5, QStringLiteral("W"), kWhite, kBlack);
    surface.TextOut(c.x() + radius - 11, c.y() + 5, QStringLiteral("E"), kWhite, kBlack);
}

void CVelocityWnd::PaintTexts(DrawSurface& surface) {
    const int p = plot_.panelX();
    const int s = plot_.statisticsY();
    const auto text = [&](int x, int y, const QString& line) {
        surface.TextOut(x, y, line, kWhite, kBlack);
    };
    text(p, 16, QStringLiteral("1 line equals 1km/h"));
    text(p + 80, 32, DisplayText("(%4.1f dot)", static_cast<double>(plot_.scale())));
    if (!plot_.dopText().empty()) {
        text(p, 48, DisplayText("GDOP    : %s", plot_.dopText().c_str()));
    } else {
        text(p, 48, DisplayText("Current PDOP: %3f", static_cast<double>(plot_.pdop())));
    }
    text(p, 80, DisplayText("Speed    : %3u", static_cast<unsigned>(plot_.speed())));
    text(p, 96, DisplayText("Heading  : %3d", plot_.heading()));
    text(p, 112, QStringLiteral("Number of "));
    text(p, 128, DisplayText("  Samples:%4d", plot_.sampleCount()));
    text(p, s, DisplayText("[Avg] Vx:%5.1f", plot_.east().average()));
    text(p, s + 16, DisplayText("      Vy:%5.1f", plot_.north().average()));
    text(p, s + 48, DisplayText("[Var] Vx:%5.1f", plot_.east().spread()));
    text(p, s + 64, DisplayText("      Vy:%5.1f", plot_.north().spread()));
}

void CVelocityWnd::resizeEvent(QResizeEvent* event) {
    plot_.Resize(event->size());
    zoom_.Follow(size());
    CMonitorWnd::resizeEvent(event);
}

void CVelocityWnd::mousePressEvent(QMouseEvent* event) {
    // The whole client area acts as the caption: a left-button drag moves the window.
    if (event->button() == Qt::LeftButton && windowHandle() != nullptr) {
        windowHandle()->startSystemMove();
        return;
    }
    CMonitorWnd::mousePressEvent(event);
}

void CVelocityWnd::keyPressEvent(QKeyEvent* event) {
    if (!zoom_.HandleKey(*event)) {
        CMonitorWnd::keyPressEvent(event);
    }
}

}  // namespace orbex
