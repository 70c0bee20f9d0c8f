#include "gui/always_on_top.h"

#include <QWidget>

namespace orbex {

void SetStaysOnTop(QWidget& window, bool onTop) {
    const QRect frame = window.geometry();
    const bool visible = window.isVisible();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);  // hides the window
    window.setGeometry(frame);
    if (visible) {
        window.show();
    }
}

}  // namespace orbex
