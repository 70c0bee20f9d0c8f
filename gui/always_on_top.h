// Putting a top-level window in or out of the topmost band without moving or resizing it: the
// "常に手前に表示(&O)" item of the main window and of every monitor window.
#pragma once

class QWidget;

namespace orbex {

void SetStaysOnTop(QWidget& window, bool onTop);

}  // namespace orbex
