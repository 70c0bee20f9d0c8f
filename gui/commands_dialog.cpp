#include "gui/commands_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/code_page_932.h"
#include "gui/command_history.h"
#include "gui/main_window_messages.h"
#include "link/encode_command.h"
#include "platform/window_messages.h"

namespace orbex {

CCommandsDialog::CCommandsDialog(QWidget* parent, const QString& initialText) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Commands"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Input command String (hit return to send)")));

    edit_ = new QLineEdit(initialText.left(kMaxCommandLength));
    edit_->setMaxLength(kMaxCommandLength);
    layout->addWidget(edit_);
    list_ = new QListWidget;
    list_->addItems(SharedCommandHistory().entries());
    layout->addWidget(list_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(QStringLiteral("OK"));
    ok_->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!edit_->text().isEmpty()) {
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(edit_, &QLineEdit::textChanged, this, [this] { UpdateOk(); });
    connect(list_, &QListWidget::currentTextChanged, edit_, &QLineEdit::setText);
    connect(list_, &QListWidget::itemActivated, this, [this] { ok_->click(); });

    edit_->setFocus();
    edit_->selectAll();
    UpdateOk();
}

QString CCommandsDialog::commandText() const {
    return edit_->text().left(kMaxCommandLength);
}

void CCommandsDialog::UpdateOk() {
    ok_->setEnabled(!edit_->text().isEmpty());
}

std::string SubmitCommand(const QString& text) {
    SharedCommandHistory().Add(text);
    std::string bytes = EncodeCommand(ToCodePage932(text));
    if (!bytes.empty()) {
        SendToMainWindow(UWM_SEND_TO_RECEIVER, reinterpret_cast<std::uintptr_t>(bytes.data()),
                         static_cast<std::intptr_t>(bytes.size()));
    }
    return bytes;
}

bool RunCommandsDialog(QWidget* parent, const QString& initialText) {
    QPointer<QWidget> console(parent);
    CCommandsDialog dialog(parent, initialText);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (accepted) {
        SubmitCommand(dialog.commandText());
    }
    if (console) {
        console->activateWindow();
        console->setFocus();
    }
    return accepted;
}

bool EnterCommand(QWidget* parent, char firstCharacter) {
    QString initial;
    if (static_cast<unsigned char>(firstCharacter) >= 32) {
        initial = QString(QChar(static_cast<unsigned char>(firstCharacter)));
    }
    return RunCommandsDialog(parent, initial);
}

}  // namespace orbex
