// The sky plot of the Satellite Constellation window: ten elevation circles (every 10 degrees,
// radius 150 cos(e)), the north-south and west-east axes with their letters, and one symbol per
// channel at its sky position. Native records add a legend and the fix time and DOP at the
// top right; NMEA sentences the "$GPGGA" time and the PDOP.
#pragma once

#include <QFont>
#include <array>

#include "gui/static_layer.h"
#include "windows/common/painted_child.h"
#include "windows/satellites/constellation_model.h"

namespace orbex {

// What the plot shows besides its fixed drawing.
struct SkyPlotTexts {
    QString time;  // top right
    QString dop;   // below it
};

class CSkyPlot : public PaintedChild {
  public:
    explicit CSkyPlot(QWidget* parent);

    // Stores the per-channel positions and symbols and repaints.
    void SetSatellites(RecordFamily family, int channelCount,
                       const std::array<SkyChannel, kChannelCount>& channels,
                       const SkyPlotTexts& texts);
    void Paint(DrawSurface& surface) override;

    // Top-left corner of a symbol at sky position p.
    QPoint SymbolCorner(QPoint p) const;
    // Whether the plot draws a symbol id for the family.
    static bool Draws(RecordFamily family, int symbol);

  private:
    void PaintFrame(DrawSurface& surface);
    void PaintLegend(DrawSurface& surface);
    void PaintTexts(DrawSurface& surface);

    QFont font_;
    StaticLayer frame_;  // the ground, circles, axes, letters and legend
    int charWidth_;
    int charHeight_;
    RecordFamily family_ = RecordFamily::None;
    int channelCount_ = 0;
    std::array<SkyChannel, kChannelCount> channels_{};
    SkyPlotTexts texts_;
};

}  // namespace orbex
