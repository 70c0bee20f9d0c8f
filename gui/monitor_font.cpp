#include "gui/monitor_font.h"

namespace orbex {

QFont MonitorFont(int pixelHeight, bool bold) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    font.setKerning(false);
    return font;
}

}  // namespace orbex
