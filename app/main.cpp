// Orbex: the evaluation and monitoring program for the VM8140 GPS receiver.
#include <QApplication>
#include <csignal>

#include "app/orbex_app.h"
#include "gui/fixed_formats.h"
#include "gui/qt_message_box.h"
#include "gui/window_table.h"
#include "tools/registry/tool_window_rows.h"
#include "windows/registry/monitor_window_rows.h"

int main(int argc, char** argv) {
    // A log reaching a file-size limit fails its write (and the log says so) instead of
    // ending the program with every window's data.
    std::signal(SIGXFSZ, SIG_IGN);
    // The command line is not read: Qt gets the program name only.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    orbex::KeepFixedFormats();
    QApplication::setApplicationName(QStringLiteral("Orbex"));
    // Closing the main window ends the program even while monitor windows are open.
    QApplication::setQuitOnLastWindowClosed(false);
    orbex::InstallQtMessageBox();
    // The monitor and tool windows come from libraries that live above the application library;
    // the main window reaches them through the window-kind table.
    orbex::InstallWindowTable(
        orbex::WindowTable({orbex::MonitorWindowRows(), orbex::ToolWindowRows()}));

    orbex::COrbexApp orbex;
    if (!orbex.InitInstance()) {
        return orbex.ExitInstance(0);
    }
    return orbex.ExitInstance(QApplication::exec());
}
