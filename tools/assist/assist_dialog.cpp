#include "tools/assist/assist_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/list_item_texts.h"

namespace orbex {

namespace {
// The network chosen last; GSM when the program starts. Read and written on the
// user-interface thread only.
AssistNetwork chosenNetwork = AssistNetwork::Gsm;
}  // namespace

CAssistDialog::CAssistDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Acquire and Transmit Assistance Data"));
    acquire_ = new QPushButton(QStringLiteral("Acquire assistance data"), this);
    transmit_ = new QPushButton(QStringLiteral("Transmit assistance data"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    messages_ = new QListWidget(this);
    messages_->setMinimumSize(360, 160);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    auto* networks = new QGroupBox(this);
    gsm_ = new QRadioButton(QStringLiteral("GSM"), networks);
    wcdma_ = new QRadioButton(QStringLiteral("W-CDMA"), networks);
    (chosenNetwork == AssistNetwork::Gsm ? gsm_ : wcdma_)->setChecked(true);
    auto* networkLayout = new QVBoxLayout(networks);
    networkLayout->addWidget(gsm_);
    networkLayout->addWidget(wcdma_);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(acquire_);
    buttons->addWidget(transmit_);
    buttons->addWidget(networks);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* top = new QHBoxLayout;
    top->addWidget(messages_, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(bar_);

    connect(acquire_, &QPushButton::clicked, this, &CAssistDialog::acquireRequested);
    connect(transmit_, &QPushButton::clicked, this, &CAssistDialog::transmitRequested);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(wcdma_, &QRadioButton::toggled, this,
            [](bool on) { chosenNetwork = on ? AssistNetwork::Wcdma : AssistNetwork::Gsm; });
}

AssistNetwork CAssistDialog::network() const {
    return wcdma_->isChecked() ? AssistNetwork::Wcdma : AssistNetwork::Gsm;
}

void CAssistDialog::AddMessage(const QString& text) {
    QString shown = text;
    while (shown.endsWith(QLatin1Char('\n')) || shown.endsWith(QLatin1Char('\r'))) {
        shown.chop(1);
    }
    messages_->addItem(shown);
    messages_->scrollToBottom();
}

void CAssistDialog::ClearMessages() {
    messages_->clear();
}

void CAssistDialog::SetPos(int percent) {
    bar_->setValue(std::clamp(percent, 0, 100));
}

void CAssistDialog::SetOperationRunning(bool running) {
    acquire_->setEnabled(!running);
    transmit_->setEnabled(!running);
}

QStringList CAssistDialog::messages() const {
    return ListItemTexts(*messages_);
}

int CAssistDialog::pos() const {
    return bar_->value();
}

}  // namespace orbex
