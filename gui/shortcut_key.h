// Keys held with Ctrl, Alt or Meta are shortcuts, never the windows' own keys (Ctrl+A is not
// "A"): the main window and the monitor windows pass them on unhandled.
#pragma once

#include <QKeyEvent>

namespace orbex {

inline bool IsShortcutKey(const QKeyEvent& event) {
    return (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

}  // namespace orbex
