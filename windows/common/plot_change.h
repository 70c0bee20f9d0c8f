// What a record changed on a plot window's screen: the whole window, or only some areas. The
// window asks for the repaint of just that, so that a record costs no more painting than it
// changed.
#pragma once

#include <QRect>
#include <vector>

class QWidget;

namespace orbex {

struct PlotChange {
    bool whole = false;        // repaint the whole window
    std::vector<QRect> areas;  // otherwise (or also) these areas
};

// Marks what changed for repainting (an update: the window paints once, later).
void RequestRepaint(QWidget& window, const PlotChange& change);

}  // namespace orbex
