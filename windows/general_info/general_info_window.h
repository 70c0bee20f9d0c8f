// The General Information window: the main text read-out of the receiver. The kind of the
// last decoded record picks the page: the native page for the maker's records ("SM", and the
// "D0", "C6", "BA" records, whose fields come from the native decoder), the NMEA page, built
// from the accumulated sentences, for everything else.
#pragma once

#include "decode/line_decoder.h"
#include "windows/common/monitor_window.h"
#include "windows/general_info/general_info_pages.h"
#include "windows/general_info/nmea_accumulator.h"

namespace orbex {

inline constexpr int kGeneralInfoKind = 0;

class CGeneralInfoWnd : public CMonitorWnd {
  public:
    // `decoder` decodes the lines the window is handed; its minutes flag lays out the NMEA
    // page's position. It outlives the window.
    explicit CGeneralInfoWnd(const LineDecoder& decoder,
                             const QString& title = QStringLiteral("General Information"),
                             QWidget* parent = nullptr);

    void OnReceiverRecord(const ReceiverState& record) override;
    void Paint(DrawSurface& surface) override;

    const ReceiverState& shown() const { return shown_; }
    const NmeaAccumulator& nmea() const { return nmea_; }
    const PageMetrics& metrics() const { return metrics_; }

  protected:
    void PaintForComparison(DrawSurface& surface) override;

  private:
    bool ShowsNativePage() const;
    QSize FittingSize() const;

    const LineDecoder& decoder_;
    ReceiverState shown_{};
    NmeaAccumulator nmea_;
    PageMetrics metrics_;
    // The NMEA table's row count at the last NMEA paint. When it changes, the next paint
    // erases the whole window first, so that rows no longer drawn disappear.
    int paintedRowCount_ = 0;
    bool eraseNextPaint_ = false;
};

}  // namespace orbex
