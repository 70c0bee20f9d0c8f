// Orbex: the evaluation and monitoring program for the VM8140 GPS receiver.
#include <QApplication>

#include "app/orbex_app.h"
#include "app/qt_message_box.h"

// ---- monitor window factory: installed here ----------------------------------------------
// The windows library provides the monitor windows; install its factory in this place, e.g.
//     orbex::SetMonitorWindowFactory(orbex::CreateMonitorWindow);
// Until then the main window opens plain windows with each kind's title.
static void InstallMonitorWindows() {}
// -------------------------------------------------------------------------------------------

int main(int argc, char** argv) {
    // The command line is not read: Qt gets the program name only.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Orbex"));
    // Closing the main window ends the program even while monitor windows are open.
    QApplication::setQuitOnLastWindowClosed(false);
    orbex::InstallQtMessageBox();
    InstallMonitorWindows();

    orbex::COrbexApp orbex;
    if (!orbex.InitInstance()) {
        return orbex.ExitInstance(0);
    }
    return orbex.ExitInstance(QApplication::exec());
}
