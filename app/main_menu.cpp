#include "app/main_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <initializer_list>

#include "gui/orbex_commands.h"
#include "gui/window_table.h"

namespace orbex {

namespace {

struct MenuItem {
    int id;  // 0: a separator
    const char* text;
    bool checkable;
};

struct MenuTable {
    const char* title;
    std::initializer_list<MenuItem> items;
};

constexpr MenuItem kSeparator{0, nullptr, false};

// The window manager owns the window menu, so the always-on-top item goes into View (and into
// the picture's right-click menu).
const std::initializer_list<MenuTable> kMenus = {
    {"Communications(&C)",
     {{kCmdConnect, "Connect(&C)", true},
      {kCmdDisconnect, "Disconnect(&D)", false},
      {kCmdLogConsole, "Log Console", true},
      {kCmdStopLoggingConsole, "Stop Logging Console", false}}},
    {"View(&V)",
     {{kCmdGeneralInformation, "General Information(&1)", true},
      {kCmdSatelliteConstellation, "Satellite Constellation(&2)", true},
      {kCmdPositionPlot, "Position Plot(&3)", true},
      {kCmdConsole, "Console(&4)", true},
      {kCmdSoftwareReset, "Software Reset(&5)", true},
      {kCmdVelocity, "Velocity(&A)", true},
      {kCmdSignalHistory, "Signal History(&H)", true},
      kSeparator,
      {kCmdCloseAllWindows, "Close All Windows(&0)", false},
      kSeparator,
      {kCmdAlwaysOnTop, "常に手前に表示(&O)", true}}},
    {"Tools(&T)",
     {{kCmdAcquireAlmanac, "Acquire Almanac Data from Receiver", true},
      {kCmdAcquireEphemeris, "Acquire Ephemeris Data from Receiver", true},
      {kCmdAssistData, "Acquire and Transmit Assistance Data", true},
      {kCmdTransmitAlmanac, "Transmit Almanac Data to Receiver", true},
      {kCmdTransmitEphemeris, "Transmit Ephemeris Data to Reciever", true},
      {kCmdTransmitAlmanacEphemeris, "Transmit Almanac and Ephemeris Data to Reciever", true},
      // The TTFF window has no string of its own: the entry carries its dialog's title, so
      // that it can be found without knowing its key.
      {kCmdTtff, "TTFF Window", true},
      kSeparator,
      {kCmdConfigurePort, "Configure COM port(&O)", false}}},
    {"Help(&H)", {{kCmdAbout, "About Orbex", false}}},
};

}  // namespace

CMainMenu::CMainMenu(QMenuBar& bar, RunCommand run, BeforeShow beforeShow) : QObject(&bar) {
    for (const MenuTable& table : kMenus) {
        QMenu* menu = bar.addMenu(QString::fromUtf8(table.title));
        connect(menu, &QMenu::aboutToShow, this, [beforeShow] { beforeShow(); });
        for (const MenuItem& entry : table.items) {
            if (entry.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* item = menu->addAction(QString::fromUtf8(entry.text));
            item->setData(entry.id);
            item->setCheckable(entry.checkable);
            const int id = entry.id;
            connect(item, &QAction::triggered, this, [run, id] { run(id); });
            actions_[id] = item;
        }
    }
}

QAction* CMainMenu::action(int id) const {
    auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainMenu::Update(const MenuState& state) {
    for (const WindowRow& row : InstalledWindowTable().rows()) {
        if (QAction* item = action(row.command)) {
            item->setChecked(state.windowOpen[row.kind]);
        }
    }
    QAction* connectItem = action(kCmdConnect);
    connectItem->setEnabled(!state.connected);
    connectItem->setChecked(state.connected);
    if (!state.connected) {
        connectItem->setText(state.replayPath.isEmpty()
                                 ? QStringLiteral("Connect(&C)")
                                 : QStringLiteral("Connect(&C)  %1").arg(state.replayPath));
    }
    action(kCmdDisconnect)->setEnabled(state.connected);
    bool anyOpen = false;
    for (bool open : state.windowOpen) {
        anyOpen = anyOpen || open;
    }
    action(kCmdCloseAllWindows)->setEnabled(anyOpen);
    QAction* logItem = action(kCmdLogConsole);
    logItem->setEnabled(state.connected && !state.consoleLogging);
    logItem->setChecked(state.consoleLogging);
    logItem->setText(QStringLiteral("Log Console  %1").arg(state.consoleLogPath));
    action(kCmdStopLoggingConsole)->setEnabled(state.consoleLogging);
    action(kCmdAlwaysOnTop)->setChecked(state.alwaysOnTop);
}

}  // namespace orbex
