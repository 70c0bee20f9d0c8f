// CViewerDialog: OrbexCE's one window. A fixed 240-pixel-wide dialog with five buttons, the
// port list and the status list over the painted screen. One timer drives everything on the
// user-interface thread: it reads what the port has received, cuts it into sentences, paints
// what they say, and steps the port scan.
#pragma once

#include <QDialog>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "handheld/com_ports.h"
#include "handheld/image_drawing.h"
#include "handheld/nmea_record.h"
#include "handheld/viewer_port.h"
#include "handheld/viewer_screen.h"

class QComboBox;
class QListWidget;
class QPushButton;

namespace orbexce {

struct ViewerOptions {
    ComPortTable ports;  // the devices of COM1..COM10
    // Start-up opens COM1 as "Open" does; orbexce-render, which has no port, does not.
    bool openAtStart = true;
    // Shows a failure to the user (a message box unless replaced).
    std::function<void(const QString&)> messageBox;
    // Asks for a command to send; nothing when the user cancels (the command dialog unless
    // replaced).
    std::function<std::optional<QString>(QWidget* parent)> askCommand;
    // The current time in whole seconds (the wall clock unless replaced).
    std::function<std::int64_t()> now;
};

// The screen's size: 240 pixels wide, tall enough for the signal bars.
inline constexpr QSize kViewerSize(240, 294);

class CViewerDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CViewerDialog(ViewerOptions options, QWidget* parent = nullptr);
    ~CViewerDialog() override;

    // One tick of the timer (public so that tests can step it).
    void OnTimer();
    // What the first tick does besides reading: the controls in place, the static screen.
    void ShowFirstScreen();
    // Received bytes through the line buffer and sentence processing, as a read hands them on.
    void ProcessBytes(const char* bytes, std::size_t count);
    // One received line (with its terminator).
    void ProcessSentence(std::string_view line);

    // The buttons and the port list.
    void OnScan();
    void OnOpen();
    void OnCold();
    void OnClose();
    void OnSend();
    void OnPortChosen(int index);

    // Draws through `drawing` from now on (null: the dialog's own screen again). A recording
    // made over imageDrawing() keeps the screen drawn as well.
    void SetDrawing(ViewerDrawing* drawing);
    ImageDrawing& imageDrawing() { return image_; }

    QStringList StatusLines() const;
    QString PortLabel(int index) const;
    bool reading() const { return reading_; }
    bool receiverFound() const { return found_; }
    bool scanning() const { return scanning_; }
    // Whether the current port entry holds an open handle.
    bool portOpen() const { return CurrentPort().IsOpen(); }
    int currentPort() const { return current_; }
    int timerInterval() const { return timer_.isActive() ? timer_.interval() : -1; }
    Qt::TimerType timerType() const { return timer_.timerType(); }
    const NmeaRecord& record() const { return record_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void PlaceControls();
    void ReadAndProcess();
    void ScanStep();
    bool OpenPort(int index);
    void CloseAllPorts();
    ViewerPort& CurrentPort() { return ports_[static_cast<std::size_t>(current_)]; }
    const ViewerPort& CurrentPort() const { return ports_[static_cast<std::size_t>(current_)]; }
    void TakeReceiver();
    QString SecondsText();
    void AddStatus(const QString& line);
    void TrimStatus(int keep);
    void SetPortLabel(int index, const QString& label);
    void RestartTimer(int milliseconds);

    ViewerOptions options_;
    // One handle per port entry, COM1..COM10; at most one is open at a time. Reading, writing
    // and crediting a receiver go through the current entry only, so a port left open while
    // another entry is current is never read as if it were that entry.
    std::array<ViewerPort, kPortCount> ports_;
    ImageDrawing image_;
    ViewerScreen screen_;
    NmeaRecord record_;
    QTimer timer_;

    QPushButton* scanButton_;
    QPushButton* openButton_;
    QPushButton* coldButton_;
    QPushButton* closeButton_;
    QPushButton* sendButton_;
    QComboBox* portList_;
    QListWidget* statusList_;

    // Reader state.
    static constexpr std::size_t kLineBufferSize = 224;
    static constexpr std::size_t kReadSize = 200;
    int current_ = 0;  // COM index being read, 0..9
    int chosen_ = 0;   // COM index chosen in the port list
    std::array<char, kLineBufferSize> line_{};
    std::size_t lineFill_ = 0;
    bool lineTooLong_ = false;
    bool reading_ = false;
    bool found_ = false;
    bool scanning_ = false;
    bool firstScanStep_ = true;
    int countdown_ = 0;
    int idleTicks_ = 0;
    bool firstTick_ = true;
    std::int64_t startTime_ = 0;
    std::int64_t elapsedShown_ = 0;
};

}  // namespace orbexce
