// CPositionPlotWnd: the scatter of the receiver's fixes on a metric grid, with the centre, the
// scale, the times, the latest position, speed, PDOP and the sample count around it, and the
// zoom buttons. The mouse position is shown in the window title.
#pragma once

#include <QFont>
#include <QString>

#include "decode/line_decoder.h"
#include "gui/static_layer.h"
#include "windows/common/monitor_window.h"
#include "windows/common/zoom_buttons.h"
#include "windows/position_plot/accuracy_overlay.h"
#include "windows/position_plot/position_plot.h"

namespace orbex {

inline constexpr int kPositionPlotKind = 2;

class CPositionPlotWnd : public CMonitorWnd {
  public:
    // `decoder` decodes the lines the window is handed: the window plots its newest position
    // sample, shows its sample count and minutes layout, and starts its samples over (sampleNext
    // 0) when it opens. It outlives the window.
    explicit CPositionPlotWnd(LineDecoder& decoder,
                              const QString& title = QStringLiteral("Position Plot"),
                              QWidget* parent = nullptr);

    void OnReceiverRecord(const ReceiverState& record) override;
    void Paint(DrawSurface& surface) override;

    const PositionPlot& plot() const { return plot_; }
    PositionPlot& plot() { return plot_; }
    // Key "C": the accuracy figures and CEP circles over the plot (off at first).
    const AccuracyOverlay& accuracyOverlay() const { return accuracy_; }
    // The "+" and "-" buttons, commands 257 and 258.
    ZoomButtons& zoom() { return zoom_; }
    // "%4d-%4d/%4d-%4d": cursor x, cursor y, client width, client height.
    QString CursorText() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    LineDecoder& decoder_;
    PositionPlot plot_;
    AccuracyOverlay accuracy_;
    QFont textFont_;
    QString title_;
    QPoint cursor_;
    ZoomButtons zoom_;
    StaticLayer grid_;  // the ground and the grid
};

}  // namespace orbex
