#include "gui/dialog_host.h"

#include <QTimer>
#include <QVBoxLayout>

namespace orbex {

void HostDialog(QWidget& host, QDialog& dialog, const QString& title) {
    host.setWindowTitle(title.isEmpty() ? dialog.windowTitle() : title);
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    // A dialog always makes itself a window when constructed; here it is the host's content.
    dialog.setWindowFlags(Qt::Widget);
    layout->addWidget(&dialog);
    dialog.show();  // a dialog stays hidden with its parent unless shown itself
    // The dialog's end closes the host, after the click that ended it has returned.
    QWidget* window = &host;
    QObject::connect(&dialog, &QDialog::finished, window,
                     [window] { QTimer::singleShot(0, window, &QWidget::close); });
}

}  // namespace orbex
