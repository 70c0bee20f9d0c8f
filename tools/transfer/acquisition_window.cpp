#include "tools/transfer/acquisition_window.h"

#include <QTimer>

#include "platform/message_box.h"
#include "tools/transfer/acquisition_worker.h"
#include "tools/transfer/data_file_paths.h"
#include "tools/transfer/transfer_messages.h"

namespace orbex {

CAcquisitionWnd::CAcquisitionWnd(const QString& title, std::uint8_t mode)
    : CTransferWnd(title, mode) {
    const bool ephemeris = mode == kTransferEphemerisAcquire;
    const std::string question =
        std::string(ephemeris ? "Create/Update Ephemeris Data." : "Create/Update Almanac Data.") +
        "\nPress OK to Proceed";
    // Return must not start an acquisition that rewrites the data file: Cancel is the default.
    confirmed_ =
        ShowMessageBox(question, kAcquisitionCaption, MessageIcon::Question,
                       MessageButtons::OkCancel, MessageResult::Cancel) == MessageResult::Ok;
    if (!confirmed_) {
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    path_ = AcquisitionFilePath(mode);
    Start(ephemeris ? QStringLiteral("Acquiring Ephemeris Data from Receiver") : title,
          ephemeris ? QStringLiteral("Acquiring Ephemeris Data...")
                    : QStringLiteral("Acquiring Almanac Data..."),
          [mode, path = path_](TransferSession& session) {
              return RunAcquisition(session, mode, path);
          });
}

CAcquisitionWnd::~CAcquisitionWnd() {
    delete viewer_.data();
}

void CAcquisitionWnd::OnTransferDone(const TransferResult& result) {
    if (result.code != kTransferOk) {
        DestroyProgressDialog();
        const std::string text = AcquisitionFailureText(result.code, result.systemError);
        if (!text.empty()) {
            ShowMessageBox(text, kAcquisitionCaption, MessageIcon::Error);
        }
        close();
        return;
    }
    if (!progressDialog()) {
        return;  // cancelled meanwhile: the window is closing already
    }
    DestroyProgressDialog();
    viewer_ = new CDataViewerDialog(path_);
    viewer_->setWindowModality(Qt::ApplicationModal);
    connect(viewer_, &QDialog::finished, this, &QWidget::close);
    viewer_->show();
}

}  // namespace orbex
