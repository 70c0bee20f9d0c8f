// The "Software Reset" dialog: "Select start mode", the three start-mode buttons one below the
// other and "Close". A button sends its reset through the main window and nothing else: no
// reply is awaited and the dialog stays open for the next one.
#pragma once

#include <QDialog>

namespace orbex {

class CSoftwareResetDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CSoftwareResetDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
};

}  // namespace orbex
