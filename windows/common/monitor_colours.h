// The colours the monitor windows draw in: white and coloured text and figures on black.
#pragma once

#include <QColor>

namespace orbex {

inline QColor White() {
    return QColor(255, 255, 255);
}
inline QColor Black() {
    return QColor(0, 0, 0);
}
inline QColor Yellow() {
    return QColor(255, 255, 0);
}
inline QColor Cyan() {
    return QColor(0, 255, 255);
}
inline QColor DarkCyan() {
    return QColor(0, 220, 220);
}
inline QColor Green() {
    return QColor(0, 255, 0);
}
inline QColor Blue() {
    return QColor(0, 0, 255);
}
inline QColor Magenta() {
    return QColor(255, 0, 255);
}

}  // namespace orbex
