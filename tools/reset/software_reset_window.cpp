#include "tools/reset/software_reset_window.h"

#include "gui/dialog_host.h"
#include "tools/reset/software_reset_dialog.h"

namespace orbex {

CSoftwareResetWnd::CSoftwareResetWnd(const QString& title)
    : CToolWnd(title), dialog_(new CSoftwareResetDlg(this, Qt::Widget)) {
    // "Close" ends the dialog, and the window goes with it.
    HostDialog(*this, *dialog_, title);
    setFixedSize(sizeHint().expandedTo(QSize(200, 0)));
}

}  // namespace orbex
