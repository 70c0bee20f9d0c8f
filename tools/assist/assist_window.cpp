#include "tools/assist/assist_window.h"

#include <QMetaObject>
#include <chrono>
#include <cstdio>
#include <system_error>

#include "platform/message_box.h"
#include "tools/assist/assist_workers.h"

namespace orbex {

CAssistWnd::CAssistWnd(const QString& title) : CToolWnd(title), path_(AssistFilePath()) {
    setAttribute(Qt::WA_DontShowOnScreen);  // the user sees the dialog only
    dialog_ = std::make_unique<CAssistDialog>();
    dialog_->setWindowModality(Qt::ApplicationModal);
    connect(dialog_.get(), &CAssistDialog::acquireRequested, this,
            [this] { StartOperation(true); });
    connect(dialog_.get(), &CAssistDialog::transmitRequested, this,
            [this] { StartOperation(false); });
    connect(dialog_.get(), &QDialog::finished, this, &QWidget::close);
    dialog_->show();
}

CAssistWnd::~CAssistWnd() {
    thread_.Stop();
    dialog_.reset();
}

void CAssistWnd::OnReceiverLine(std::string_view line) {
    thread_.Offer(line);
}

std::string CAssistWnd::UtcText(std::time_t time) {
    static const char* const kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm utc{};
    gmtime_r(&time, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%s %s %2d %02d:%02d:%02d %d", kWeekdays[utc.tm_wday % 7],
                  kMonths[utc.tm_mon % 12], utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  1900 + utc.tm_year);
    return text;
}

void CAssistWnd::StartOperation(bool acquire) {
    if (operationRunning()) {
        return;
    }
    const AssistNetwork network = dialog_->network();
    dialog_->SetPos(0);
    dialog_->ClearMessages();
    if (!acquire) {
        dialog_->AddMessage(QString::fromStdString(UtcText(clock_())));
    }
    dialog_->SetOperationRunning(true);
    try {
        StartWorker(acquire, network);
    } catch (const std::system_error&) {
        dialog_->SetOperationRunning(false);
        ShowMessageBox("Not enough memory", {}, MessageIcon::Error);
    }
}

void CAssistWnd::StartWorker(bool acquire, AssistNetwork network) {
    // The worker reaches the dialog only through queued calls on this window, which outlives
    // it (the destruction joins the worker).
    thread_.Start([this, acquire, network, path = path_, clock = clock_](TransferSession& session) {
        session.progress = [this](int percent) {
            QMetaObject::invokeMethod(
                this, [this, percent] { dialog_->SetPos(percent); }, Qt::QueuedConnection);
        };
        session.message = [this](const std::string& text) {
            QMetaObject::invokeMethod(
                this, [this, text = QString::fromStdString(text)] { dialog_->AddMessage(text); },
                Qt::QueuedConnection);
        };
        if (acquire) {
            RunAssistAcquisition(session, network, path);
        } else {
            RunAssistTransmission(session, network, path, clock);
        }
        QMetaObject::invokeMethod(
            this, [this] { dialog_->SetOperationRunning(false); }, Qt::QueuedConnection);
    });
}

}  // namespace orbex
