// The "Configure COM port" dialog: port, baud rate, parity, data bits, stop bits and the three
// handshakes of a PortSettings record, or a recorded file to replay instead of a port, or a
// network address (tcp://HOST:PORT, rfc2217://HOST:PORT) typed in its field, which wins over the
// port list. With no serial port present the lists stay empty and "OK" is disabled until a good
// address is typed (a bench whose receivers are all on the network).
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "link/port_settings.h"
#include "link/replay_pace.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orbex {

class CPortSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    // Control ids of the dialog (also the controls' object names).
    enum ControlId {
        kPortList = 1000,
        kBaudList = 1001,
        kParityList = 1002,
        kDataBitList = 1003,
        kStopBitList = 1004,
        kDsrCheck = 1005,
        kRtsCheck = 1006,
        kXonCheck = 1007,
        kDefaultButton = 1008,
        kListButton = 1009,
        kPaceList = 1010,     // how a chosen file is replayed, beside "List(&L)...."
        kAddressEdit = 1011,  // a network address, instead of the port list
    };
    // The file-open dialog of "List(&L)....": returns the chosen path, empty on Cancel.
    using ChooseReplayFile = std::function<QString(QWidget* parent)>;

    CPortSettingsDialog(QWidget* parent, const PortSettings& settings,
                        const std::string& address = {});

    // The record as the controls show it (what "OK" stores).
    PortSettings settings() const;
    // The replay file chosen with "List(&L)....", empty when none was chosen in this dialog.
    const QString& replayPath() const { return replayPath_; }
    // The typed network address, trimmed; empty when none (or not a good one) is typed.
    std::string address() const;

    // The pace of the replay: fast (1 ms a line, the default), as recorded, or x10.
    ReplayPace replayPace() const;
    void SetReplayPace(ReplayPace pace);

    void SetChooseReplayFile(ChooseReplayFile choose) { choose_ = std::move(choose); }
    void RestoreDefaults();  // "Default(&R)"
    void ChooseReplay();     // "List(&L)...."

    QComboBox* portList() const { return port_; }
    QComboBox* baudList() const { return baud_; }
    QComboBox* parityList() const { return parity_; }
    QComboBox* dataBitList() const { return dataBits_; }
    QComboBox* stopBitList() const { return stopBits_; }
    QCheckBox* dsrCheck() const { return dsr_; }
    QCheckBox* rtsCheck() const { return rts_; }
    QCheckBox* xonCheck() const { return xon_; }
    QComboBox* paceList() const { return pace_; }
    QPushButton* okButton() const { return ok_; }
    QLabel* replayName() const { return replayName_; }
    QLineEdit* addressEdit() const { return address_; }

  private:
    void Fill(const PortSettings& settings);
    void FillValues(const PortSettings& settings);
    void AddressEdited();

    QComboBox* port_;
    QComboBox* baud_;
    QComboBox* parity_;
    QComboBox* dataBits_;
    QComboBox* stopBits_;
    QCheckBox* dsr_;
    QCheckBox* rts_;
    QCheckBox* xon_;
    QComboBox* pace_;
    QLabel* replayName_;
    QLineEdit* address_;
    PortSettings initial_;
    bool portsPresent_ = false;
    QPushButton* ok_;
    QString replayPath_;
    ChooseReplayFile choose_;
};

}  // namespace orbex
