// What the hidden almanac and ephemeris windows share: the window takes every receiver line into
// its transfer line queue, owns the progress dialog and one worker thread, forwards the worker's
// progress to the dialog with queued calls (the worker never waits for the user-interface
// thread), and hears the worker's end as the transfer-done message. Closing the window cancels
// the worker and waits for it, still handling its sends to the main window meanwhile.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "gui/tool_window.h"
#include "tools/transfer/progress_dialog.h"
#include "tools/transfer/transfer_session.h"
#include "tools/transfer/transfer_thread.h"

namespace orbex {

class CTransferWnd : public CToolWnd {
    Q_OBJECT
  public:
    using Work = std::function<TransferResult(TransferSession& session)>;

    CTransferWnd(const QString& title, std::uint8_t mode);
    ~CTransferWnd() override;

    void OnReceiverLine(std::string_view line) override;

    std::uint8_t mode() const { return mode_; }
    // The progress dialog while the user has not cancelled it; null otherwise.
    CProgressDialog* progressDialog() const;
    bool workerRunning() const { return thread_.running(); }

  protected:
    // Creates the progress dialog and starts the worker.
    void Start(const QString& progressTitle, const QString& progressText, Work work);
    // The transfer-done message (user-interface thread).
    virtual void OnTransferDone(const TransferResult& result) = 0;
    void DestroyProgressDialog();
    // Cancels the transfer and closes the window (the dialog's "Cancel").
    void CancelAndClose();

  private:
    void StartWorker(Work work);  // throws std::system_error when no thread can be made

    const std::uint8_t mode_;
    bool started_ = false;  // lines are queued only once the transfer has begun
    std::unique_ptr<CProgressDialog> progress_;
    TransferThread thread_;
};

}  // namespace orbex
