#include "tools/transfer/transfer_window.h"

#include <QMetaObject>
#include <chrono>
#include <system_error>

#include "gui/main_window_messages.h"
#include "platform/message_box.h"
#include "platform/window_messages.h"

namespace orbex {

CTransferWnd::CTransferWnd(const QString& title, std::uint8_t mode)
    : QWidget(nullptr, Qt::Window), mode_(mode) {
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    // The window itself never shows: the user sees its dialogs.
    setAttribute(Qt::WA_DontShowOnScreen);
}

CTransferWnd::~CTransferWnd() {
    StopWorker();
    progress_.reset();
    SendToMainWindow(UWM_WINDOW_CLOSED,
                     reinterpret_cast<std::uintptr_t>(static_cast<QWidget*>(this)), 0);
}

void CTransferWnd::OnReceiverLine(std::string_view line) {
    if (started_) {
        queue_.Append(line);
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
    worker_ = std::thread([this, work = std::move(work)] {
        TransferSession session(queue_, [](std::string_view bytes) {
            SendToMainWindow(UWM_SEND_TO_RECEIVER, reinterpret_cast<std::uintptr_t>(bytes.data()),
                             static_cast<std::intptr_t>(bytes.size()));
        });
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
        finished_.store(true);
    });
}

void CTransferWnd::DestroyProgressDialog() {
    progress_.reset();
}

void CTransferWnd::CancelAndClose() {
    queue_.Cancel();
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void CTransferWnd::StopWorker() {
    if (worker_.joinable()) {
        queue_.Cancel();
        // The worker may be in a send to the main window, which runs on this thread.
        JoinWhileHandlingSends(worker_, finished_);
    }
}

}  // namespace orbex
