// The dialog "Acquire and Transmit Assistance Data": the two operation buttons, the message
// list, the progress bar, "Close", and the "GSM" / "W-CDMA" choice, which stays in force for
// the next opening while the program runs.
#pragma once

#include <QDialog>
#include <QStringList>

#include "tools/assist/assist_network.h"

class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace orbex {

class CAssistDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CAssistDialog(QWidget* parent = nullptr);

    AssistNetwork network() const;
    void AddMessage(const QString& text);  // without its line ends
    void ClearMessages();
    void SetPos(int percent);                // clamped to 0..100
    void SetOperationRunning(bool running);  // one operation at a time

    QStringList messages() const;
    int pos() const;
    QPushButton* acquireButton() const { return acquire_; }
    QPushButton* transmitButton() const { return transmit_; }
    QRadioButton* wcdmaButton() const { return wcdma_; }

  signals:
    void acquireRequested();
    void transmitRequested();

  private:
    QPushButton* acquire_;
    QPushButton* transmit_;
    QListWidget* messages_;
    QProgressBar* bar_;
    QRadioButton* gsm_;
    QRadioButton* wcdma_;
};

}  // namespace orbex
