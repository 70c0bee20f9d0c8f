#include "tools/ttff/ttff_window.h"

#include "gui/dialog_host.h"
#include "tools/ttff/ttff_dialog.h"

namespace orbex {

CTtffWnd::CTtffWnd(const QString& title)
    : CToolWnd(title), dialog_(new CTtffDlg(this, Qt::Widget)) {
    // The command has no title of its own: the window shows the dialog's.
    HostDialog(*this, *dialog_, title);
    resize(dialog_->size());
}

CTtffWnd::~CTtffWnd() {
    // No more lines from here on; the dialog cancels and joins its cycle as it goes.
    delete dialog_;
    dialog_ = nullptr;
}

void CTtffWnd::OnReceiverLine(std::string_view line) {
    if (dialog_) {
        dialog_->OfferLine(line);
    }
}

}  // namespace orbex
