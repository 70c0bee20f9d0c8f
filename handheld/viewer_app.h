// CViewerApp: OrbexCE's application object. It creates the viewer dialog as its main window,
// runs it modally, and the program ends when the dialog closes.
#pragma once

#include <QApplication>

namespace orbexce {

class CViewerApp : public QApplication {
    Q_OBJECT

  public:
    CViewerApp(int& argc, char** argv);

    // Runs the dialog (full screen when asked, for small touch screens); the exit status.
    int Run(bool fullScreen);
};

}  // namespace orbexce
