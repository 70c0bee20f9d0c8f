#include "windows/common/painted_child.h"

#include <QPaintEvent>
#include <QPainter>

#include "gui/painter_surface.h"

namespace orbex {

PaintedChild::PaintedChild(const QString& name, QWidget* parent)
    : QWidget(parent),
      repaints_(
          *this, [this](DrawSurface& surface) { Paint(surface); },
          [this](DrawSurface& surface) { Paint(surface); }, &texts_) {
    setObjectName(name);
}

void PaintedChild::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    PainterSurface surface(painter, &texts_);
    repaints_.Paint(surface, event->region());
}

}  // namespace orbex
