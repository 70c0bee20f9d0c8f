// The TTFF window (kind 8, command 40024): the host of the "TTFF Window" dialog. It hands every
// received line to the dialog's running cycle and closes together with the dialog; closing
// cancels a running cycle and waits for its worker.
#pragma once

#include "gui/tool_window.h"

namespace orbex {

class CTtffDlg;

class CTtffWnd : public CToolWnd {
    Q_OBJECT
  public:
    explicit CTtffWnd(const QString& title);
    ~CTtffWnd() override;

    void OnReceiverLine(std::string_view line) override;
    CTtffDlg* dialog() const { return dialog_; }

  private:
    CTtffDlg* dialog_;  // child widget, owned by this window
};

}  // namespace orbex
