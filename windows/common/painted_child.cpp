#include "windows/common/painted_child.h"

#include <QPainter>

#include "gui/painter_surface.h"

namespace orbex {

PaintedChild::PaintedChild(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
}

void PaintedChild::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PainterSurface surface(painter, &texts_);
    Paint(surface);
}

}  // namespace orbex
