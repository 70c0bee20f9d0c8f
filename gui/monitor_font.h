// The fonts of the monitor windows. A font height in these windows is the height of a text
// line (the cell: ascent plus descent), as the windows' line steps and text blocks are laid out
// for, not the size of the letters: each font is the largest of its face whose lines fit the
// height. "Courier New" is the fixed-pitch face of every window text (fontconfig gives its
// metric twin).
#pragma once

#include <QFont>
#include <QString>

namespace orbex {

// The largest font of the face whose line height is at most cellHeight pixels.
QFont CellHeightFont(const QString& family, int cellHeight, bool bold = false);

// The fixed-pitch "Courier New" of the window texts, by cell height.
QFont MonitorFont(int cellHeight, bool bold = false);

}  // namespace orbex
