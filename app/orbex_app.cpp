#include "app/orbex_app.h"

#include <QApplication>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include "app/orbex_window.h"
#include "decode/error_beep.h"
#include "platform/message_box.h"

namespace orbex {

namespace {

constexpr const char* kRaiseRequest = "raise\n";

}  // namespace

COrbexApp::COrbexApp() = default;

COrbexApp::~COrbexApp() {
    ExitInstance(0);
}

QString COrbexApp::InstanceDirectory() {
    QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (directory.isEmpty()) {
        directory = QDir::tempPath();
    }
    QDir().mkpath(directory);
    return directory;
}

bool COrbexApp::InitInstance() {
    const QString directory = InstanceDirectory();
    const QString socketPath = directory + QLatin1Char('/') + QLatin1String(kInstanceName);
    lock_ = std::make_unique<QLockFile>(socketPath + QStringLiteral(".lock"));
    // A lock left by a copy that crashed is taken over (QLockFile checks the process).
    if (!lock_->tryLock(0)) {
        lock_.reset();
        ActivateRunningCopy(socketPath);
        return false;
    }
    QLocalServer::removeServer(socketPath);  // a socket file left by a crash; we hold the lock
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (server_->listen(socketPath)) {
        QObject::connect(server_.get(), &QLocalServer::newConnection,
                         [this] { OnActivationRequest(); });
    }

    SetErrorBeepFunction([] { QApplication::beep(); });
    mainWindow_ = std::make_unique<COrbexWnd>();
    if (!mainWindow_->Create()) {
        ShowMessageBox("Can't Window create");
        mainWindow_.reset();
        return false;
    }
    mainWindow_->show();
    mainWindow_->repaint();
    return true;
}

int COrbexApp::ExitInstance(int code) {
    mainWindow_.reset();
    SetErrorBeepFunction(nullptr);
    server_.reset();
    lock_.reset();  // unlocks and removes the lock file
    return code;
}

void COrbexApp::ActivateRunningCopy(const QString& socketPath) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(300)) {
        return;  // the first copy is still ending or has no window: nothing to activate
    }
    socket.write(kRaiseRequest);
    socket.waitForBytesWritten(200);
    socket.disconnectFromServer();
}

void COrbexApp::OnActivationRequest() {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
        QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        QObject::connect(client, &QLocalSocket::readyRead, client, [this, client] {
            if (!client->readAll().contains("raise") || !mainWindow_) {
                return;
            }
            COrbexWnd* window = mainWindow_.get();
            if (window->isMinimized()) {
                window->showNormal();
            }
            window->raise();
            window->activateWindow();
            // A modal dialog of the main window comes to the top as well.
            if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != window) {
                modal->raise();
                modal->activateWindow();
            }
        });
    }
}

}  // namespace orbex
