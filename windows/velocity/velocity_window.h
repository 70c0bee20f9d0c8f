// CVelocityWnd: the receiver's velocity vectors as points on a polar target (east right, north
// up, a ring per km/h), with speed, heading, DOP, the sample count and the running averages and
// spreads beside it. Dragging anywhere in the window moves it.
#pragma once

#include <QFont>

#include "gui/static_layer.h"
#include "windows/common/monitor_window.h"
#include "windows/common/zoom_button.h"
#include "windows/velocity/velocity_plot.h"

namespace orbex {

inline constexpr int kVelocityKind = 13;

class CVelocityWnd : public CMonitorWnd {
  public:
    explicit CVelocityWnd(const QString& title = QStringLiteral("Velocity"),
                          QWidget* parent = nullptr);

    void OnReceiverRecord(const ReceiverState& record) override;
    void Paint(DrawSurface& surface) override;

    // Commands 257 ("+") and 258 ("-").
    void ZoomIn();
    void ZoomOut();

    const VelocityPlot& plot() const { return plot_; }
    ZoomButton* zoomInButton() const { return zoomIn_; }
    ZoomButton* zoomOutButton() const { return zoomOut_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void PlaceButtons();
    void AfterZoom();
    void PaintTarget(DrawSurface& surface);
    void PaintTexts(DrawSurface& surface);

    VelocityPlot plot_;
    QFont textFont_;
    ZoomButton* zoomIn_;   // owned by this window (Qt parent)
    ZoomButton* zoomOut_;  // owned by this window (Qt parent)
    StaticLayer target_;   // the ground, the rings, the axes and their letters
};

}  // namespace orbex
