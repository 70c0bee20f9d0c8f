// Shows the system's messages in QMessageBox. Installed by the application at start.
#pragma once

namespace orbex {

// Routes ShowMessageBox to QMessageBox. On the user-interface thread the box is modal and its
// answer is returned. From any other thread (a reader or worker) the box is queued to the
// user-interface thread and the call returns at once with the default answer (Ok, Yes), so a
// thread that the user-interface thread is waiting for can never block on a message.
void InstallQtMessageBox();

}  // namespace orbex
