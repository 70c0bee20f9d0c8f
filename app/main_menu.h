// The main window's menu bar, built from one table of menus and items, and the states of its
// items (check marks, enabled states, the texts that carry the replay file and the log path).
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <map>

#include "app/monitor_window_table.h"

class QAction;
class QMenuBar;

namespace orbex {

// What the item states are drawn from.
struct MenuState {
    std::array<bool, kWindowSlotCount> windowOpen{};  // by window kind
    bool connected = false;
    QString replayPath;  // empty: Connect opens the serial port
    bool consoleLogging = false;
    QString consoleLogPath;
    bool alwaysOnTop = false;
};

class CMainMenu : public QObject {
    Q_OBJECT
  public:
    using RunCommand = std::function<void(int id)>;
    using BeforeShow = std::function<void()>;

    // Fills the bar; choosing an item runs its command, opening a menu calls beforeShow first.
    CMainMenu(QMenuBar& bar, RunCommand run, BeforeShow beforeShow);

    QAction* action(int id) const;
    void Update(const MenuState& state);

  private:
    std::map<int, QAction*> actions_;
};

}  // namespace orbex
