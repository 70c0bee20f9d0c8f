// Creating the tools' windows by window kind (the main window's slot index): the software reset,
// TTFF and data-transfer windows. Each reads the data-transfer mode the main window has just set.
#pragma once

#include <QString>
#include <QWidget>

namespace orbex {

// A new top-level tool window of the kind with the title; null for a kind that is not a tool.
// The window deletes itself when closed.
QWidget* CreateToolWindow(int kind, const QString& title);

}  // namespace orbex
