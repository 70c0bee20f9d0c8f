// Repaints only what a window's new data changed. After a received line the window asks for a
// repaint through Changed(); once the lines of the drained batch are dispatched, the tracker
// draws the picture as marks (no pixels), compares it with the picture on screen and asks Qt
// to repaint just the area that differs, or nothing when nothing does. Every paint draws the
// whole picture (clipped to the area being painted) and keeps its marks as the picture on
// screen; a paint whose area misses a difference (the data changed but the comparison has
// not run yet) repaints the whole window at once, so the screen never keeps stale pixels.
// A widget that never calls Changed() paints as before, without marks.
#pragma once

#include <QRegion>
#include <functional>
#include <vector>

#include "gui/paint_marks.h"

class QWidget;

namespace orbex {

class TextCache;

class RepaintTracker {
  public:
    using PaintFunction = std::function<void(DrawSurface& surface)>;

    // `draw` draws the widget's whole picture on screen; `compare` draws the same picture
    // without changing the widget's state (usually the same function); `texts` measures
    // their texts (may be null).
    RepaintTracker(QWidget& widget, PaintFunction draw, PaintFunction compare, TextCache* texts);

    // The widget's data changed: compare and repaint what differs once the event loop runs
    // again (the dispatch of a batch of lines calls this many times).
    void Changed();
    // Compares now and asks for the repaint of what differs.
    void Compare();
    // Draws the picture on `target` for a paint of `painted`.
    void Paint(DrawSurface& target, const QRegion& painted);

    // How many comparisons found nothing to repaint (for tests and measurements).
    int unchangedCount() const { return unchanged_; }

  private:
    QWidget& widget_;
    PaintFunction draw_;
    PaintFunction compare_;
    TextCache* texts_;
    std::vector<PaintMark> shown_;  // the picture on screen, as marks
    bool tracking_ = false;         // Changed() was called: paints keep their marks
    bool known_ = false;            // shown_ is what the whole widget shows
    bool pending_ = false;          // a comparison is queued
    int unchanged_ = 0;
};

}  // namespace orbex
