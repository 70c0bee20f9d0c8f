// A tool window whose content is its dialog: the dialog is laid into the host window instead of
// running as a second, modal window, so the main window stays usable and goes on feeding lines.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>

namespace orbex {

// Lays `dialog` (a child of `host`) into `host` edge to edge, titles the host with `title` or,
// when it is empty, with the dialog's own title, and closes the host once the dialog ends.
void HostDialog(QWidget& host, QDialog& dialog, const QString& title);

}  // namespace orbex
