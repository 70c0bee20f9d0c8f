// COrbexWnd: the program's frame window. It shows the picture with its five entries and the
// exit area, carries the menu bar, owns the one receiver link and the table of open monitor
// windows, and is the hub of the data flow: it drains the shared line queue, decodes each
// line once and hands the line or the decoded record to every open monitor window.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/console_log.h"
#include "app/data_log.h"
#include "gui/draw_surface.h"
#include "gui/receiver_sink.h"

class QAction;
class QMenu;

namespace orbex {

class ReceiverLink;
class CPortSettingsDialog;
class CPictureView;

// The command ids of the menus and the picture.
enum OrbexCommand : int {
    kCmdGeneralInformation = 40001,
    kCmdSatelliteConstellation = 40002,
    kCmdPositionPlot = 40003,
    kCmdConsole = 40004,
    kCmdTransmitAlmanac = 40005,
    kCmdAcquireAlmanac = 40006,
    kCmdConfigurePort = 40007,
    kCmdConnect = 40009,
    kCmdDisconnect = 40010,
    kCmdCloseAllWindows = 40013,
    kCmdAssistData = 40022,
    kCmdTtff = 40024,
    kCmdSoftwareReset = 40028,
    kCmdVelocity = 40029,
    kCmdLogConsole = 40041,
    kCmdStopLoggingConsole = 40042,
    kCmdAbout = 40062,
    kCmdTransmitEphemeris = 40063,
    kCmdAcquireEphemeris = 40064,
    kCmdTransmitAlmanacEphemeris = 40065,
    kCmdAlwaysOnTop = 4112,
};

// Opening a monitor window: the mode the command sets and the window kind it opens.
struct MonitorCommand {
    int mappedCommand;  // the command whose title the window gets
    int kind;
    std::uint8_t mode;  // data-transfer mode
};
// Maps a window command (40063 -> mode 1 as 40005, 40064 -> 2 as 40006, 40065 -> 3 as 40005).
MonitorCommand MapMonitorCommand(int command);

class COrbexWnd : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int kSlotCount = 20;

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

    // The picture: painting, hover and click, in client coordinates of the picture.
    void Paint(DrawSurface& surface) const;
    void OnMouseMove(QPoint point);
    void OnLeftButtonDown(QPoint point);
    int hotIndex() const { return hotIndex_; }
    void SetBlinkInterval(int milliseconds) { blinkMs_ = milliseconds; }

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
    QWidget* slotWindow(int kind) const;
    bool connected() const { return link_ != nullptr; }
    bool alwaysOnTop() const { return alwaysOnTop_; }
    void ToggleAlwaysOnTop();
    const QString& replayPath() const { return replayPath_; }
    void SetReplayPath(const QString& path) { replayPath_ = path; }
    ConsoleLog& consoleLog() { return consoleLog_; }
    DataLog& dataLog() { return dataLog_; }
    CPictureView* pictureView() const { return picture_; }

    void SetChooseFile(ChooseFile choose) { chooseFile_ = std::move(choose); }
    void SetRunPortDialog(RunPortDialog run) { runPortDialog_ = std::move(run); }

    // The remembered console log path: MDUMP FILEPATH, else GPS_MDUMP.DAT in the program dir.
    static std::string ConsoleLogPath();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct Slot {
        QPointer<QWidget> window;
        ReceiverSink* sink = nullptr;  // the same object as window, null for a plain window
    };

    void BuildMenus();
    void AddCommand(QMenu* menu, int id, const char* text, bool checkable = false);
    void OpenMonitorWindow(int command);
    void ForgetWindow(std::uintptr_t window);
    void DeleteLink();
    void Shutdown();
    void ShowVersion();
    void InvalidateHot(int index);
    std::intptr_t SendToReceiver(const void* bytes, std::size_t count);

    CPictureView* picture_ = nullptr;
    QImage background_;
    int hotIndex_ = 0;
    int mouseMoves_ = 0;
    int blinkMs_ = 100;
    bool alwaysOnTop_ = false;
    bool shutDown_ = false;
    std::array<Slot, kSlotCount> slots_{};
    std::unique_ptr<ReceiverLink> link_;
    std::intptr_t linkGeneration_ = 0;  // tags the replay-end notice of each link
    QString replayPath_;
    ConsoleLog consoleLog_;
    DataLog dataLog_;
    std::map<int, QAction*> actions_;
    ChooseFile chooseFile_;
    RunPortDialog runPortDialog_;
};

// The picture area of the main window: paints through COrbexWnd::Paint and hands mouse moves,
// clicks and the right-click menu (the always-on-top item) to the window.
class CPictureView : public QWidget {
    Q_OBJECT
  public:
    explicit CPictureView(COrbexWnd* owner);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    COrbexWnd* owner_;
};

}  // namespace orbex
