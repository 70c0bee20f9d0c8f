// The text font of the position plot and velocity windows. Their font height is the height of
// a text line (cell height, ascent plus descent), not the size of the letters: the largest
// "Courier New" whose lines fit that height. At 15 pixels this gives 8-pixel-wide characters,
// which the windows' text blocks and 16-pixel line steps are laid out for.
#pragma once

#include <QFont>
#include <QFontMetrics>

#include "gui/monitor_font.h"

namespace orbex {

inline QFont CellHeightFont(int cellHeight) {
    for (int pixels = cellHeight; pixels > 1; --pixels) {
        const QFont font = MonitorFont(pixels);
        if (QFontMetrics(font).height() <= cellHeight) {
            return font;
        }
    }
    return MonitorFont(cellHeight);
}

}  // namespace orbex
