// The Satellite Constellation window: a text panel with the channels and the position, 16
// level rows and the sky plot. Native records fill 12 channels (6 for "C6"); NMEA sentences
// fill up to 16 from "$GPGSV" groups, whose numbers and levels change once a group is complete.
#pragma once

#include <QFont>
#include <array>

#include "decode/line_decoder.h"
#include "windows/common/monitor_window.h"
#include "windows/satellites/constellation_model.h"
#include "windows/satellites/level_row.h"
#include "windows/satellites/sky_plot.h"

namespace orbex {

inline constexpr int kSatelliteKind = 1;

class CSatelliteWnd : public CMonitorWnd {
  public:
    // `decoder` decodes the lines the window is handed; its minutes flag lays out the NMEA
    // position. It outlives the window.
    explicit CSatelliteWnd(const LineDecoder& decoder,
                           const QString& title = QStringLiteral("Satellite Constellation"),
                           QWidget* parent = nullptr);

    void OnReceiverRecord(const ReceiverState& record) override;
    void Paint(DrawSurface& surface) override;

    const ConstellationModel& model() const { return model_; }
    CLevelRow& levelRow(int i) { return *levelRows_[i]; }
    CSkyPlot& skyPlot() { return *plot_; }
    int lineHeight() const { return lineHeight_; }

  private:
    void PaintNativePanel(DrawSurface& surface);
    void PaintNmeaPanel(DrawSurface& surface);
    void LayOutLevelRows(RecordFamily family);
    SkyPlotTexts PlotTexts() const;
    int RowY(int row) const { return row * lineHeight_; }

    const LineDecoder& decoder_;
    ConstellationModel model_;
    QFont font_;
    int lineHeight_;
    int maxCharWidth_;
    std::array<CLevelRow*, kLevelRowCount> levelRows_{};
    CSkyPlot* plot_;
    RecordFamily levelRowsFamily_ = RecordFamily::None;
};

}  // namespace orbex
