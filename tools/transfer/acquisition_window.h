// The acquisition window (commands 40006 and 40064): hidden; asks for confirmation, shows the
// progress dialog while the worker stores the receiver's almanac (mode 0) or ephemeris (mode 2)
// and opens the data viewer on the stored file at the end.
#pragma once

#include <QPointer>
#include <string>

#include "tools/transfer/data_viewer_dialog.h"
#include "tools/transfer/transfer_window.h"

namespace orbex {

class CAcquisitionWnd : public CTransferWnd {
    Q_OBJECT
  public:
    CAcquisitionWnd(const QString& title, std::uint8_t mode);
    ~CAcquisitionWnd() override;

    // False when the user declined the confirmation: nothing is sent and the window closes.
    bool confirmed() const { return confirmed_; }
    const std::string& path() const { return path_; }
    CDataViewerDialog* viewer() const { return viewer_; }

  protected:
    void OnTransferDone(const TransferResult& result) override;

  private:
    bool confirmed_ = false;
    std::string path_;
    QPointer<CDataViewerDialog> viewer_;
};

}  // namespace orbex
