// Shows the system's messages in QMessageBox. Installed by the application at start.
#pragma once

class QWidget;

namespace orbex {

// Routes ShowMessageBox to QMessageBox. On the user-interface thread the box is modal and its
// answer is returned. From any other thread (a reader or worker) the box is queued to the
// user-interface thread and the call returns at once with the default answer (Ok, Yes), so a
// thread that the user-interface thread is waiting for can never block on a message.
void InstallQtMessageBox();

// The window that owns a box when none of the program's windows is active (a box queued from a
// reader, or the program in the background): the main window, so that its boxes appear centred
// over it instead of on the middle of the screen. Null (or a window that went) gives no owner.
void SetMessageBoxOwner(QWidget* owner);

}  // namespace orbex
