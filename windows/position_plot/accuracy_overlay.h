// Key "C" of the position plot: the accuracy figures of the points the window holds (fixes,
// mean, spread north and east, CEP50, CEP95, 2DRMS, shares within 1, 2, 5 and 10 m) in a text
// block, and the CEP50 and CEP95 circles about the mean, all in yellow, a colour no other
// drawing of the window uses. Off until asked, so the window looks as designed.
#pragma once

#include <QColor>
#include <QStringList>
#include <optional>

#include "decode/accuracy_statistics.h"
#include "gui/draw_surface.h"
#include "windows/position_plot/position_plot.h"

namespace orbex {

class AccuracyOverlay {
  public:
    static inline const QColor kColour{0xFF, 0xFF, 0};
    static constexpr int kLeft = 5;
    static constexpr int kTop = 75;         // below the top left text block
    static constexpr int kLineHeight = 16;  // the window's 15-pixel font and one pixel

    bool visible() const { return visible_; }
    void Toggle() { visible_ = !visible_; }

    // The figures of the plot's points; nothing when it holds none.
    static std::optional<AccuracyStatistics> StatisticsOf(const PlotPoints& points);
    // The lines of the text block.
    static QStringList Lines(const AccuracyStatistics& stats);

    // Draws the block and the circles over the plot when visible and the plot draws.
    void Draw(DrawSurface& surface, const PositionPlot& plot) const;

  private:
    bool visible_ = false;
};

}  // namespace orbex
