#include "gui/monitor_font.h"

#include <QFontMetrics>

namespace orbex {
namespace {

QFont FontOfPixelSize(const QString& family, int pixels, bool bold) {
    QFont font(family);
    if (family == QLatin1String("Courier New")) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setKerning(false);
    return font;
}

}  // namespace

QFont CellHeightFont(const QString& family, int cellHeight, bool bold) {
    for (int pixels = cellHeight; pixels > 1; --pixels) {
        QFont font = FontOfPixelSize(family, pixels, bold);
        if (QFontMetrics(font).height() <= cellHeight) {
            return font;
        }
    }
    return FontOfPixelSize(family, cellHeight, bold);
}

QFont MonitorFont(int cellHeight, bool bold) {
    return CellHeightFont(QStringLiteral("Courier New"), cellHeight, bold);
}

}  // namespace orbex
