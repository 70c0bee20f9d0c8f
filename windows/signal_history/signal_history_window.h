// CSignalHistoryWnd: each satellite's signal over the last ten minutes, one line per satellite
// with its number at the line's end and the satellites of the fix drawn bold; C/N0 in dB-Hz
// from "$GPGSV", or the native records' level codes on their own scale.
#pragma once

#include <QFont>

#include "windows/common/monitor_window.h"
#include "windows/signal_history/signal_history.h"

namespace orbex {

inline constexpr int kSignalHistoryKind = 14;

class CSignalHistoryWnd : public CMonitorWnd {
  public:
    explicit CSignalHistoryWnd(const QString& title = QStringLiteral("Signal History"),
                               QWidget* parent = nullptr);

    void OnReceiverRecord(const ReceiverState& record) override;
    void Paint(DrawSurface& surface) override;

    const SignalHistory& history() const { return history_; }
    // The plot area inside the axes' labels.
    QRect PlotArea() const;

  private:
    void PaintAxes(DrawSurface& surface, const QRect& area, int top);
    void PaintTracks(DrawSurface& surface, const QRect& area, int top);

    SignalHistory history_;
    QFont textFont_;
};

}  // namespace orbex
