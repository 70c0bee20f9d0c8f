// The four text blocks of the position plot: where they stand and what they say, in the NMEA
// layout or the native layout.
#pragma once

#include <QRect>
#include <QString>
#include <array>

#include "windows/position_plot/position_plot.h"

namespace orbex {

// A rectangle with up to three single-line texts: at its top, centred, at its bottom.
struct TextBlock {
    QRect rect;
    QString top;
    QString middle;  // empty: no middle line
    QString bottom;
};

// Top left, top right, bottom left, bottom right, in that order.
std::array<TextBlock, 4> PositionPlotTextBlocks(const PositionPlot& plot, int sampleNext,
                                                bool fourDigitMinutes);


}  // namespace orbex
