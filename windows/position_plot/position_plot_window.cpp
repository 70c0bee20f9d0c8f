#include "windows/position_plot/position_plot_window.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>

#include "gui/monitor_font.h"
#include "platform/message_box.h"
#include "windows/common/display_text.h"
#include "windows/common/monitor_colours.h"
#include "windows/position_plot/pixel_math.h"
#include "windows/position_plot/position_plot_texts.h"

namespace orbex {
namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::TextSingleLine | Qt::TextDontClip;

void DrawGrid(DrawSurface& surface) {
    // Fixed client coordinates, whatever the window's size.
    for (int x = 20; x <= 1280; x += 20) {
        surface.Line({x, 0}, {x, 880}, kBlue);
    }
    for (int y = 20; y <= 860; y += 20) {
        surface.Line({0, y}, {1300, y}, kBlue);
    }
}

void DrawTextBlock(DrawSurface& surface, const TextBlock& block) {
    surface.TextInRect(block.rect, kTextFlags | Qt::AlignTop, block.top, kWhite, NoColor());
    if (!block.middle.isEmpty()) {
        surface.TextInRect(block.rect, kTextFlags | Qt::AlignVCenter, block.middle, kWhite,
                           NoColor());
    }
    surface.TextInRect(block.rect, kTextFlags | Qt::AlignBottom, block.bottom, kWhite, NoColor());
}

// The zoom buttons sit side by side at the bottom centre.
ZoomButtonPlaces ButtonPlaces(QSize window) {
    const int w = window.width();
    const int h = window.height();
    return {{w / 2 - 30, h - 30}, {w / 2 + 10, h - 30}};
}

}  // namespace

CPositionPlotWnd::CPositionPlotWnd(LineDecoder& decoder, const QString& title, QWidget* parent)
    : CMonitorWnd(kPositionPlotKind, title, parent),
      decoder_(decoder),
      textFont_(MonitorFont(15)),
      title_(title),
      zoom_(*this, plot_.zoom(), &ButtonPlaces) {
    // A new plot starts a new position history.
    decoder_.samples().Restart();
    setMouseTracking(true);
    // Every paint covers the whole window (its ground is in the grid's layer): no background
    // fill before it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(PositionPlot::kClientWidth, PositionPlot::kClientHeight);
    plot_.Resize(size());
    zoom_.Follow(size());
}

void CPositionPlotWnd::OnReceiverRecord(const ReceiverState& record) {
    const PositionPlot::Change change = plot_.OnRecord(record, decoder_.samples());
    if (change.outOfMemory) {
        ShowMessageBox("Not enough memory", "Orbex", MessageIcon::Error);
    }
    RequestRepaint(*this, change);
}

void CPositionPlotWnd::Paint(DrawSurface& surface) {
    // The black ground and the grid change only with the window's size.
    surface.Layer(grid_, size(), 0, [this](DrawSurface& layer) {
        layer.Fill(rect(), kBlack);
        DrawGrid(layer);
    });
    surface.SetFont(textFont_);
    if (!plot_.Drawing()) {
        return;
    }
    for (const TextBlock& block : PositionPlotTextBlocks(plot_, decoder_.samples().sampleNext(),
                                                         decoder_.ggaFourDigitMinutes() != 0)) {
        DrawTextBlock(surface, block);
    }
    for (const PlotPoint& point : plot_.points()) {
        const QPoint pixel = plot_.PixelOf(point);
        surface.Ellipse(SquareAround(pixel, 2), kRed, NoColor());
        surface.Ellipse(SquareAround(pixel, 4), kGreen, NoColor());
    }
    accuracy_.Draw(surface, plot_);
}

QString CPositionPlotWnd::CursorText() const {
    return DisplayText("%4d-%4d/%4d-%4d", cursor_.x(), cursor_.y(), width(), height());
}

void CPositionPlotWnd::resizeEvent(QResizeEvent* event) {
    plot_.Resize(event->size());
    zoom_.Follow(size());
    CMonitorWnd::resizeEvent(event);
}

void CPositionPlotWnd::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (position != cursor_) {
        cursor_ = position;
        setWindowTitle(title_ + QStringLiteral("  ") + CursorText());
    }
    CMonitorWnd::mouseMoveEvent(event);
}

void CPositionPlotWnd::keyPressEvent(QKeyEvent* event) {
    if (event->text().compare(QStringLiteral("c"), Qt::CaseInsensitive) == 0 &&
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
        accuracy_.Toggle();
        update();
        return;
    }
    if (!zoom_.HandleKey(*event)) {
        CMonitorWnd::keyPressEvent(event);
    }
}

}  // namespace orbex
