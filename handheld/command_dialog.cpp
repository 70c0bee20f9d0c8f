#include "handheld/command_dialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orbexce {
namespace {

// In this order; the trailing blanks are part of the commands, ready for their arguments.
const char* const kCommands[] = {
    "@CLR", "@CD", "@GSV 1 ", "@GS 99.0 99.0 99.0 99.0 ", "@NC 10111000", "@SW", "@SR", "@PM ",
};

}  // namespace

CCommandDialog::CCommandDialog(QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)), edit_(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Dialog"));
    for (const char* command : kCommands) {
        list_->addItem(QString::fromLatin1(command));
    }
    auto* send = new QPushButton(QStringLiteral("Send"), this);
    send->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(edit_);
    layout->addWidget(send);
    connect(list_, &QListWidget::currentTextChanged, edit_, &QLineEdit::setText);
    connect(send, &QPushButton::clicked, this, &QDialog::accept);
}

QString CCommandDialog::command() const {
    return edit_->text();
}

}  // namespace orbexce
