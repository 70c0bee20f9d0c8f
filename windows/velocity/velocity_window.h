// CVelocityWnd: the receiver's velocity vectors as points on a polar target (east right, north
// up, a ring per km/h), with speed, heading, DOP, the sample count and the running averages and
// spreads beside it. Dragging anywhere in the window moves it.
#pragma once

#include <QFont>

#include "gui/static_layer.h"
#include "windows/common/monitor_window.h"
#include "windows/common/zoom_buttons.h"
#include "windows/velocity/velocity_plot.h"

namespace orbex {

inline constexpr int kVelocityKind = 13;

class CVelocityWnd : public CMonitorWnd {
  public:
    explicit CVelocityWnd(const QString& title = QStringLiteral("Velocity"),
                          QWidget* parent = nullptr);

    void OnReceiverRecord(const ReceiverState& record) override;
    void Paint(DrawSurface& surface) override;

    const VelocityPlot& plot() const { return plot_; }
    // The "+" and "-" buttons, commands 257 and 258.
    ZoomButtons& zoom() { return zoom_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void PaintTarget(DrawSurface& surface);
    void PaintTexts(DrawSurface& surface);

    VelocityPlot plot_;
    QFont textFont_;
    ZoomButtons zoom_;
    StaticLayer target_;  // the ground, the rings, the axes and their letters
};

}  // namespace orbex
