// COrbexApp: the process entry of Orbex. It lets only one copy run on the desktop (the lock
// "Orbex000" in the user's runtime directory), creates and shows the main window, and frees
// the single-instance marker at exit. A second copy asks the first one, over the local socket
// "Orbex000", to bring its main window (and a modal dialog on it) to the front, and ends
// silently. The command line is not read.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <memory>

namespace orbex {

class COrbexWnd;

class COrbexApp {
  public:
    static constexpr const char* kInstanceName = "Orbex000";

    COrbexApp();
    ~COrbexApp();

    // The start-up sequence; false when another copy runs or the main window cannot be made
    // (then the process ends without a message loop).
    bool InitInstance();
    // Frees the single-instance marker; returns the exit code.
    int ExitInstance(int code);

    COrbexWnd* mainWindow() const { return mainWindow_.get(); }
    // The runtime directory holding the lock file and the socket.
    static QString InstanceDirectory();

  private:
    // Tells the running copy to come to the front; waits at most about half a second.
    static void ActivateRunningCopy(const QString& socketPath);
    void OnActivationRequest();

    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
    std::unique_ptr<COrbexWnd> mainWindow_;
};

}  // namespace orbex
