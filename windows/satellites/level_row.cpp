#include "windows/satellites/level_row.h"

#include <algorithm>

namespace orbex {

CLevelRow::CLevelRow(int index, QWidget* parent)
    : PaintedChild(QStringLiteral("level%1").arg(index), parent), colour_(0, 255, 255) {}

void CLevelRow::SetLevel(int level, const QColor& colour) {
    if (level == level_ && colour == colour_) {
        return;
    }
    level_ = level;
    colour_ = colour;
    update();
}

void CLevelRow::Paint(DrawSurface& surface) {
    const int w = width();
    const int h = height();
    surface.Fill(QRect(0, 0, w, h), Qt::black);
    surface.Rectangle(QRect(0, 0, w, h), QColor(255, 0, 255), NoColor());
    // The bar stays inside the frame, so a full bar does not hide the frame's right edge.
    const int bar = std::min((w / 21) * std::max(0, level_), w - 2);
    if (bar > 0) {
        surface.Fill(QRect(1, 1, bar, h - 2), colour_);
    }
}

}  // namespace orbex
