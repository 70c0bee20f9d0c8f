#include "tools/ttff/ttff_window.h"

#include "gui/dialog_host.h"
#include "gui/main_window_messages.h"
#include "platform/window_messages.h"
#include "tools/ttff/ttff_dialog.h"

namespace orbex {

CTtffWnd::CTtffWnd(const QString& title)
    : QWidget(nullptr, Qt::Window), dialog_(new CTtffDlg(this, Qt::Widget)) {
    setAttribute(Qt::WA_DeleteOnClose);
    // The command has no title of its own: the window shows the dialog's.
    HostDialog(*this, *dialog_, title);
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
