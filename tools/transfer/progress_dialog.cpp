#include "tools/transfer/progress_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "tools/transfer/data_file_paths.h"

namespace orbex {

namespace {

QWidget* FindMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(widget)) {
            return widget;
        }
    }
    return nullptr;
}

}  // namespace

CProgressDialog::CProgressDialog(std::function<void()> cancel, const QString& title,
                                 const QString& text, std::uint8_t mode)
    : QDialog(nullptr), cancel_(std::move(cancel)) {
    setWindowTitle(TitleFor(title, mode));
    setAttribute(Qt::WA_DeleteOnClose, false);  // the transfer window owns and deletes it
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    text_ = new QLabel(text, this);
    text_->setMinimumWidth(320);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cancelButton_, &QPushButton::clicked, this, &CProgressDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    layout->addWidget(cancelButton_, 0, Qt::AlignHCenter);
    if (QWidget* main = FindMainWindow()) {
        disabledMainWindow_ = main;
        main->setEnabled(false);
    }
}

CProgressDialog::~CProgressDialog() {
    if (disabledMainWindow_) {
        disabledMainWindow_->setEnabled(true);
    }
}

QString CProgressDialog::TitleFor(const QString& title, std::uint8_t mode) {
    if (mode == kTransferEphemerisTransmit) {
        return QStringLiteral("Transmit Ephemeris Data to Receiver");
    }
    if (mode == kTransferAlmanacEphemerisTransmit) {
        return QStringLiteral("Transmit Almanac and Ephemeris Data to Receiver");
    }
    return title;
}

void CProgressDialog::SetPos(int percent) {
    bar_->setValue(std::clamp(percent, 0, 100));
}

void CProgressDialog::SetText(const QString& text) {
    text_->setText(text);
}

void CProgressDialog::RenameCancelButton(const QString& text) {
    cancelButton_->setText(text);
}

int CProgressDialog::pos() const {
    return bar_->value();
}

QString CProgressDialog::text() const {
    return text_->text();
}

QString CProgressDialog::cancelButtonText() const {
    return cancelButton_->text();
}

void CProgressDialog::reject() {
    if (cancel_) {
        cancel_();
    }
    hide();
    if (disabledMainWindow_) {
        disabledMainWindow_->setEnabled(true);
        disabledMainWindow_ = nullptr;
    }
    QDialog::reject();
}

}  // namespace orbex
