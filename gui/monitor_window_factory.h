// The main window creates monitor windows through one factory, which the program installs at
// start (the windows library lives above the application library). The created widget also
// implements ReceiverSink; it deletes itself when closed and posts UWM_WINDOW_CLOSED.
#pragma once

#include <functional>

#include <QString>
#include <QWidget>

namespace orbex {

// Returns the new top-level window of the kind, or null when the factory has no window of that
// kind (the main window then opens a plain window with the title).
using MonitorWindowFactory = std::function<QWidget*(int kind, const QString& title)>;

void SetMonitorWindowFactory(MonitorWindowFactory factory);
const MonitorWindowFactory& CurrentMonitorWindowFactory();

}  // namespace orbex
