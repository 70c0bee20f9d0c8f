#include "handheld/viewer_app.h"

#include "handheld/viewer_dialog.h"

namespace orbexce {

CViewerApp::CViewerApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("OrbexCE"));
}

int CViewerApp::Run(bool fullScreen) {
    ViewerOptions options;
    options.ports = FindComPorts();
    CViewerDialog dialog(std::move(options));
    if (fullScreen) {
        dialog.setWindowState(dialog.windowState() | Qt::WindowFullScreen);
    }
    dialog.exec();
    return 0;
}

}  // namespace orbexce
