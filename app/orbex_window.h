// COrbexWnd: the program's frame window. It shows the picture with its five entries and the
// exit area, carries the menu bar, owns the receiver connection and the table of open monitor
// windows, and is the hub of the data flow: it drains the shared line queue and has each line
// decoded once and handed to every open monitor window.
#pragma once

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/console_log.h"
#include "app/data_log.h"
#include "app/monitor_window_table.h"
#include "app/receiver_connection.h"
#include "decode/line_decoder.h"
#include "gui/eliding_label.h"
#include "gui/orbex_commands.h"

class QAction;

namespace orbex {

class CMainMenu;
class CPictureView;
class CPortSettingsDialog;

class COrbexWnd : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int kSlotCount = kWindowSlotCount;

    // File dialogs of the logs: caption and proposed path in, chosen path out (nullopt: Cancel).
    using ChooseFile = std::function<std::optional<std::string>(const QString& caption,
                                                                const std::string& proposed)>;
    // Runs the port dialog modally; true on OK.
    using RunPortDialog = std::function<bool(CPortSettingsDialog& dialog)>;

    COrbexWnd();
    ~COrbexWnd() override;

    // The creation steps: picture, size, menus, then the stored settings (CONNECT connects,
    // LOGON opens the data-stream log). False when the picture cannot be loaded.
    bool Create();

    // Runs a command of the menus, the picture or the keys.
    void OnCommand(int id);
    // The private messages (0x0502 .. 0x0509); the return value is a send's result.
    std::intptr_t OnPrivateMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    // Key-down in the main window (Qt key code, keypad flag); true when handled.
    bool OnKey(int key, bool keypad);

    void Connect();
    void Disconnect();
    void CloseAllWindows();
    void ConfigurePort();
    void LogConsole();
    void StopLoggingConsole();
    void DrainLineQueue();
    void DispatchLine(const std::string& line);

    // Refreshes enabled states, check marks and texts of the menu items.
    void UpdateMenuStates();
    QAction* action(int id) const;
    QWidget* slotWindow(int kind) const { return windows_.window(kind); }
    std::uint8_t dataTransferMode() const { return windows_.dataTransferMode(); }
    bool connected() const { return connection_.connected(); }
    bool alwaysOnTop() const { return alwaysOnTop_; }
    void ToggleAlwaysOnTop();
    const QString& replayPath() const { return connection_.replayPath(); }
    ReplayPace replayPace() const { return connection_.replayPace(); }
    void SetReplayPath(const QString& path) { connection_.SetReplayPath(path); }
    ConsoleLog& consoleLog() { return consoleLog_; }
    DataLog& dataLog() { return dataLog_; }
    // The decoder of the received lines, which the monitor windows are made with.
    LineDecoder& decoder() { return decoder_; }
    CPictureView* pictureView() const { return picture_; }
    // The status line under the picture: connected to what, lost since when, replaying what.
    ElidingLabel* statusLine() const { return statusLine_; }
    void UpdateStatusLine();

    void SetChooseFile(ChooseFile choose) { chooseFile_ = std::move(choose); }
    void SetRunPortDialog(RunPortDialog run) { runPortDialog_ = std::move(run); }

    // The remembered console log path: MDUMP FILEPATH, else GPS_MDUMP.DAT in the program dir.
    static std::string ConsoleLogPath();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Shutdown();
    void ShowVersion();
    void CloseLinkErrorBoxes();

    CPictureView* picture_ = nullptr;
    CMainMenu* menu_ = nullptr;
    ElidingLabel* statusLine_ = nullptr;
    bool alwaysOnTop_ = false;
    bool shutDown_ = false;
    bool drainPending_ = false;  // a drain is due after the current repaints
    ConsoleLog consoleLog_;
    DataLog dataLog_;
    // Before the windows and the connection, which hold it, and gone only after them.
    LineDecoder decoder_;
    MonitorWindowTable windows_{decoder_};
    ReceiverConnection connection_{dataLog_, decoder_};
    ChooseFile chooseFile_;
    RunPortDialog runPortDialog_;
};

}  // namespace orbex
