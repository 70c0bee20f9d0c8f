#include "windows/common/plot_change.h"

#include <QWidget>

namespace orbex {

void RequestRepaint(QWidget& window, const PlotChange& change) {
    if (change.whole) {
        window.update();
        return;
    }
    for (const QRect& area : change.areas) {
        window.update(area);
    }
}

}  // namespace orbex
