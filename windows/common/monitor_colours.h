// The colours the monitor windows draw in: white and coloured text and figures on black.
#pragma once

#include <QColor>

namespace orbex {

inline constexpr QColor kWhite(255, 255, 255);
inline constexpr QColor kBlack(0, 0, 0);
inline constexpr QColor kYellow(255, 255, 0);
inline constexpr QColor kCyan(0, 255, 255);
inline constexpr QColor kDarkCyan(0, 220, 220);
inline constexpr QColor kGreen(0, 255, 0);
inline constexpr QColor kBlue(0, 0, 255);
inline constexpr QColor kMagenta(255, 0, 255);
inline constexpr QColor kRed(255, 0, 0);
// The grid lines and the axes' labels of the charts.
inline constexpr QColor kGridGrey(0x40, 0x40, 0x40);
inline constexpr QColor kAxisGrey(0xA0, 0xA0, 0xA0);

}  // namespace orbex
