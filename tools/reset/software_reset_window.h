// The software reset window (kind 12): the host of the "Software Reset" dialog. It shows the
// dialog as its content, ignores the receiver's lines, and closes together with the dialog.
#pragma once

#include "gui/tool_window.h"

namespace orbex {

class CSoftwareResetDlg;

class CSoftwareResetWnd : public CToolWnd {
    Q_OBJECT
  public:
    explicit CSoftwareResetWnd(const QString& title);

    CSoftwareResetDlg* dialog() const { return dialog_; }

  private:
    CSoftwareResetDlg* dialog_;  // child widget, owned by this window
};

}  // namespace orbex
