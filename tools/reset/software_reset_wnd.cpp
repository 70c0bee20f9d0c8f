#include "tools/reset/software_reset_wnd.h"

#include <QTimer>
#include <QVBoxLayout>

#include "gui/main_window_messages.h"
#include "platform/window_messages.h"
#include "tools/reset/software_reset_dialog.h"

namespace orbex {

CSoftwareResetWnd::CSoftwareResetWnd(const QString& title)
    : QWidget(nullptr, Qt::Window), dialog_(new CSoftwareResetDlg(this, Qt::Widget)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title.isEmpty() ? dialog_->windowTitle() : title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // A dialog always makes itself a window when constructed; here it is the host's content.
    dialog_->setWindowFlags(Qt::Widget);
    layout->addWidget(dialog_);
    dialog_->show();  // a dialog stays hidden with its parent unless shown itself
    // "Close" ends the dialog, and the window goes with it (after the click has returned).
    connect(dialog_, &QDialog::finished, this,
            [this] { QTimer::singleShot(0, this, &QWidget::close); });
    setFixedSize(sizeHint().expandedTo(QSize(200, 0)));
}

CSoftwareResetWnd::~CSoftwareResetWnd() {
    SendToMainWindow(UWM_WINDOW_CLOSED,
                     reinterpret_cast<std::uintptr_t>(static_cast<QWidget*>(this)), 0);
}

}  // namespace orbex
