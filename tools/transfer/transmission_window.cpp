#include "tools/transfer/transmission_window.h"

#include <QTimer>

#include "platform/message_box.h"
#include "tools/transfer/transfer_messages.h"
#include "tools/transfer/transmission_worker.h"

namespace orbex {

CTransmissionWnd::CTransmissionWnd(const QString& title, std::uint8_t mode)
    : CTransferWnd(title, mode), files_(TransmissionFilePaths()) {
    Start(title,
          mode == kTransferAlmanacEphemerisTransmit ? QStringLiteral(" ")
                                                    : QStringLiteral("Clearing Receiver Memory..."),
          [mode, files = files_](TransferSession& session) {
              return RunTransmission(session, mode, files);
          });
}

void CTransmissionWnd::OnTransferDone(const TransferResult& result) {
    if (result.code == kTransferOk) {
        if (CProgressDialog* dialog = progressDialog()) {
            dialog->SetText(mode() == kTransferAlmanacEphemerisTransmit
                                ? QStringLiteral("Completed")
                                : QStringLiteral("Receiver Initialization Completed"));
            dialog->RenameCancelButton(QStringLiteral("Completed"));
            QTimer::singleShot(500, this, [this] { CancelAndClose(); });
        }
        return;
    }
    DestroyProgressDialog();
    const std::string text = TransmissionFailureText(result.code, result.systemError);
    if (!text.empty()) {
        ShowMessageBox(text, kTransmissionCaption, MessageIcon::Error);
    }
    close();
}

}  // namespace orbex
