#include "tools/reset/software_reset_window.h"

#include "gui/dialog_host.h"
#include "gui/main_window_messages.h"
#include "platform/window_messages.h"
#include "tools/reset/software_reset_dialog.h"

namespace orbex {

CSoftwareResetWnd::CSoftwareResetWnd(const QString& title)
    : QWidget(nullptr, Qt::Window), dialog_(new CSoftwareResetDlg(this, Qt::Widget)) {
    setAttribute(Qt::WA_DeleteOnClose);
    // "Close" ends the dialog, and the window goes with it.
    HostDialog(*this, *dialog_, title);
    setFixedSize(sizeHint().expandedTo(QSize(200, 0)));
}

CSoftwareResetWnd::~CSoftwareResetWnd() {
    SendToMainWindow(UWM_WINDOW_CLOSED,
                     reinterpret_cast<std::uintptr_t>(static_cast<QWidget*>(this)), 0);
}

}  // namespace orbex
