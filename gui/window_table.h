// The window-kind table: one row per window command, saying which slot (kind) the window takes,
// the data-transfer mode the command sets, whose string resource titles it, which lines the main
// window feeds it and how it is made. The monitor windows and the tools each supply their rows;
// the program installs them once at start, and the main window's dispatch, its menus,
// orbex-render and the benchmarks read them from here.
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

namespace orbex {

class LineDecoder;

inline constexpr int kWindowSlotCount = 20;

// Which lines the main window hands a window of the kind.
enum class WindowFeed {
    EveryLine,       // every line, raw, whether it decoded or not
    RecognisedLine,  // the raw line, only when it decoded
    Record,          // the decoded record, only when the line decoded
};

// Makes the top-level window (it deletes itself when closed); `transferMode` is the mode the
// command set, which only the data-transfer windows read; `decoder` decodes the lines the window
// will be handed, and the windows that show what it keeps from line to line (the position
// samples, the minutes flag) read it there. It outlives the window.
using WindowMaker = QWidget* (*)(const QString& title, std::uint8_t transferMode,
                                 LineDecoder& decoder);

struct WindowRow {
    int command;                // the menu, picture or key command that opens it
    int kind;                   // its slot in the main window's table, 0..19
    std::uint8_t transferMode;  // the data-transfer mode the command sets
    int titleCommand;           // the string resource of its title
    WindowFeed feed;
    std::string_view name;  // the kind's name on command lines, such as "position-plot"
    WindowMaker make;
};

class WindowTable {
  public:
    WindowTable() = default;
    // The rows of each part, in the order given.
    WindowTable(std::initializer_list<std::span<const WindowRow>> parts);

    std::span<const WindowRow> rows() const { return rows_; }
    // The row of a window command; null when the command opens no window.
    const WindowRow* RowOfCommand(int command) const;
    // The first row of the kind (the one whose name and feed the kind has); null for none.
    const WindowRow* RowOfKind(int kind) const;
    // The row of a kind given by its name or its number; null for none.
    const WindowRow* RowNamed(std::string_view nameOrNumber) const;

    // Makes the row's window with its own mode, reading `decoder`.
    QWidget* Make(const WindowRow& row, const QString& title, LineDecoder& decoder) const;

    // The same rows, each made by `make` instead (tests open plain windows this way).
    using AnyMaker =
        std::function<QWidget*(const WindowRow& row, const QString& title, LineDecoder& decoder)>;
    WindowTable WithMaker(AnyMaker make) const;

  private:
    std::vector<WindowRow> rows_;
    AnyMaker maker_;  // when set, makes every row's window
};

// The table the program installed at start (empty until then): the windows live in libraries
// above the application shell, which reaches them only through it.
void InstallWindowTable(WindowTable table);
const WindowTable& InstalledWindowTable();

}  // namespace orbex
