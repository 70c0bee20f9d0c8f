// The transmission window (commands 40005, 40063 and 40065): hidden; shows the progress dialog
// while the worker sends the stored almanac (mode 0), ephemeris (mode 1) or both (mode 3) into
// the receiver, and "Receiver Initialization Completed" for half a second at the end.
#pragma once

#include "tools/transfer/data_file_paths.h"
#include "tools/transfer/transfer_window.h"

namespace orbex {

class CTransmissionWnd : public CTransferWnd {
    Q_OBJECT
  public:
    CTransmissionWnd(const QString& title, std::uint8_t mode);

    const TransmissionFiles& files() const { return files_; }

  protected:
    void OnTransferDone(const TransferResult& result) override;

  private:
    TransmissionFiles files_;
};

}  // namespace orbex
