#include "tools/transfer/transfer_window.h"

#include <QMetaObject>
#include <chrono>
#include <system_error>

#include "platform/message_box.h"

namespace orbex {

CTransferWnd::CTransferWnd(const QString& title, std::uint8_t mode) : CToolWnd(title), mode_(mode) {
    // The window itself never shows: the user sees its dialogs.
    setAttribute(Qt::WA_DontShowOnScreen);
}

CTransferWnd::~CTransferWnd() {
    thread_.Stop();
    progress_.reset();
}

void CTransferWnd::OnReceiverLine(std::string_view line) {
    if (started_) {
        thread_.Offer(line);
    }
}

CProgressDialog* CTransferWnd::progressDialog() const {
    return progress_ && !progress_->isHidden() ? progress_.get() : nullptr;
}

void CTransferWnd::Start(const QString& progressTitle, const QString& progressText, Work work) {
    progress_ = std::make_unique<CProgressDialog>([this] { CancelAndClose(); }, progressTitle,
                                                  progressText, mode_);
    progress_->show();
    started_ = true;
    try {
        StartWorker(std::move(work));
    } catch (const std::system_error&) {
        started_ = false;
        progress_.reset();
        ShowMessageBox("Not enough memory", {}, MessageIcon::Error);
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void CTransferWnd::StartWorker(Work work) {
    // The worker reaches this window only through queued calls; the window outlives the worker
    // (its destruction joins it), so `this` is valid for every call the worker posts.
    thread_.Start([this, work = std::move(work)](TransferSession& session) {
        session.progress = [this](int percent) {
            QMetaObject::invokeMethod(
                this,
                [this, percent] {
                    if (CProgressDialog* dialog = progressDialog()) {
                        dialog->SetPos(percent);
                    }
                },
                Qt::QueuedConnection);
        };
        session.text = [this](const std::string& text) {
            QMetaObject::invokeMethod(
                this,
                [this, text = QString::fromStdString(text)] {
                    if (CProgressDialog* dialog = progressDialog()) {
                        dialog->SetText(text);
                    }
                },
                Qt::QueuedConnection);
        };
        const TransferResult result = work(session);
        QMetaObject::invokeMethod(
            this, [this, result] { OnTransferDone(result); }, Qt::QueuedConnection);
    });
}

void CTransferWnd::DestroyProgressDialog() {
    progress_.reset();
}

void CTransferWnd::CancelAndClose() {
    thread_.Cancel();
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

}  // namespace orbex
