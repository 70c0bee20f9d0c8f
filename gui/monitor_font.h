// The fixed-pitch font of the monitor windows ("Courier New"; fontconfig gives its metric twin).
#pragma once

#include <QFont>

namespace orbex {

QFont MonitorFont(int pixelHeight, bool bold = false);

}  // namespace orbex
