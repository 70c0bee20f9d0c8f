// The assistance window (command 40022): a hidden host that queues every receiver line, shows
// the dialog "Acquire and Transmit Assistance Data" modally and runs each of its operations on a
// worker thread; it closes when the dialog does. Closing cancels a running operation and waits
// for its worker, still handling the worker's sends to the main window meanwhile.
#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "gui/tool_window.h"
#include "tools/assist/assist_dialog.h"
#include "tools/transfer/transfer_thread.h"

namespace orbex {

class CAssistWnd : public CToolWnd {
    Q_OBJECT
  public:
    explicit CAssistWnd(const QString& title);
    ~CAssistWnd() override;

    void OnReceiverLine(std::string_view line) override;

    CAssistDialog* dialog() const { return dialog_.get(); }
    const std::string& path() const { return path_; }
    bool operationRunning() const { return thread_.running(); }
    // The clock of the time stamp (tests fix it).
    void SetClock(std::function<std::time_t()> clock) { clock_ = std::move(clock); }

    // "Sun Sep 16 01:03:52 1973": the time added to the list before a transmission, in English
    // under any locale.
    static std::string UtcText(std::time_t time);

  private:
    void StartOperation(bool acquire);
    // Throws std::system_error when no thread can be made.
    void StartWorker(bool acquire, AssistNetwork network);

    std::string path_;
    std::unique_ptr<CAssistDialog> dialog_;
    std::function<std::time_t()> clock_ = [] { return std::time(nullptr); };
    TransferThread thread_;
};

}  // namespace orbex
