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
    // Only an entry the user selects is copied: the list's current row alone (which it takes
    // on gaining the focus) is not a choice, so Return sends what the field holds.
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = list_->selectedItems();
        if (!selected.isEmpty()) {
            edit_->setText(selected.front()->text());
        }
    });
    connect(send, &QPushButton::clicked, this, &QDialog::accept);
    // The dialog opens ready for typing.
    edit_->setFocus();
}

QString CCommandDialog::command() const {
    return edit_->text();
}

}  // namespace orbexce
