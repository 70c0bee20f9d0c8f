// Creating the monitor windows by window kind (the index of the main window's slot table).
#pragma once

#include <QString>
#include <QWidget>

namespace orbex {

// A new top-level monitor window of the kind (0 General Information, 1 Satellite
// Constellation, 2 Position Plot, 3 Console, 13 Velocity) with the title, or its own title
// when the title is empty; null for a kind without a monitor window here. The window deletes
// itself when closed.
QWidget* CreateMonitorWindow(int kind, const QString& title = {});

}  // namespace orbex
