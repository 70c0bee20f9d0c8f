#include "tools/reset/software_reset_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/main_window_messages.h"
#include "platform/window_messages.h"
#include "tools/reset/reset_commands.h"

namespace orbex {

CSoftwareResetDlg::CSoftwareResetDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags) {
    setWindowTitle(QStringLiteral("Software Reset"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select start mode"), this));
    for (const ResetButton& button : kResetButtons) {
        auto* push = new QPushButton(QString::fromLatin1(button.text), this);
        push->setObjectName(QString::number(button.id));
        push->setAutoDefault(false);
        connect(push, &QPushButton::clicked, this, [command = button.command] {
            // The main window writes the bytes to the open link, or drops them without one.
            SendToMainWindow(UWM_SEND_TO_RECEIVER, reinterpret_cast<std::uintptr_t>(command.data()),
                             static_cast<std::intptr_t>(command.size()));
        });
        layout->addWidget(push);
    }
    layout->addSpacing(8);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("2"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(close);
}

}  // namespace orbex
