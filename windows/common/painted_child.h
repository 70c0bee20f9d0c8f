// A child window of a monitor window that draws itself through the drawing interface (level
// rows, the sky plot, buttons). Its objectName tags its calls in a draw log.
#pragma once

#include <QWidget>

#include "gui/text_cache.h"
#include "windows/common/paintable.h"
#include "windows/common/repaint_tracker.h"

namespace orbex {

class PaintedChild : public QWidget, public Paintable {
  public:
    PaintedChild(const QString& name, QWidget* parent);

  protected:
    // New data: repaints only the area whose picture changed, after the batch of lines.
    void RepaintChanged() { repaints_.Changed(); }

    void paintEvent(QPaintEvent* event) override;

  private:
    TextCache texts_;  // the texts of earlier paints, laid out
    RepaintTracker repaints_;
};

}  // namespace orbex
