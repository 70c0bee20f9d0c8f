#include "tools/ttff/ttff_wnd.h"

#include <QTimer>
#include <QVBoxLayout>

#include "gui/main_window_messages.h"
#include "platform/window_messages.h"
#include "tools/ttff/ttff_dialog.h"

namespace orbex {

CTtffWnd::CTtffWnd(const QString& title)
    : QWidget(nullptr, Qt::Window), dialog_(new CTtffDlg(this, Qt::Widget)) {
    setAttribute(Qt::WA_DeleteOnClose);
    // The command has no title of its own: the window shows the dialog's.
    setWindowTitle(title.isEmpty() ? dialog_->windowTitle() : title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // A dialog always makes itself a window when constructed; here it is the host's content.
    dialog_->setWindowFlags(Qt::Widget);
    layout->addWidget(dialog_);
    dialog_->show();  // a dialog stays hidden with its parent unless shown itself
    connect(dialog_, &QDialog::finished, this,
            [this] { QTimer::singleShot(0, this, &QWidget::close); });
    resize(dialog_->size());
}

CTtffWnd::~CTtffWnd() {
    // No more lines from here on; the dialog cancels and joins its cycle as it goes.
    delete dialog_;
    dialog_ = nullptr;
    SendToMainWindow(UWM_WINDOW_CLOSED,
                     reinterpret_cast<std::uintptr_t>(static_cast<QWidget*>(this)), 0);
}

void CTtffWnd::OnReceiverLine(std::string_view line) {
    if (dialog_) {
        dialog_->OfferLine(line);
    }
}

}  // namespace orbex
