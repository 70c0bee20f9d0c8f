// One signal level bar of the Satellite Constellation window: a magenta frame with a bar from
// the left edge, (width / 21) pixels per level step, in the row's colour.
#pragma once

#include <QColor>

#include "windows/common/painted_child.h"

namespace orbex {

class CLevelRow : public PaintedChild {
  public:
    CLevelRow(int index, QWidget* parent);

    // Stores both and repaints the row.
    void SetLevel(int level, const QColor& colour);
    void Paint(DrawSurface& surface) override;

    int level() const { return level_; }
    const QColor& colour() const { return colour_; }

  private:
    int level_ = 0;
    QColor colour_;
};

}  // namespace orbex
