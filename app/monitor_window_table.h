// The table of open monitor windows: one slot per window kind, each empty or holding the window
// from its opening until it announces its end. It opens windows by the rows of the installed
// window-kind table and hands every dispatched line, raw or decoded, to the open windows in
// ascending kind order, as each kind's row says.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

#include "decode/line_decoder.h"
#include "gui/receiver_sink.h"
#include "gui/window_table.h"

namespace orbex {

class MonitorWindowTable {
  public:
    // `decoder` decodes every dispatched line, and the windows are made with it; it outlives
    // the table.
    explicit MonitorWindowTable(LineDecoder& decoder) : decoder_(decoder) {}
    ~MonitorWindowTable() { CloseAll(); }
    MonitorWindowTable(const MonitorWindowTable&) = delete;
    MonitorWindowTable& operator=(const MonitorWindowTable&) = delete;

    // True when the command opens a window (it has a row in the installed table).
    static bool IsWindowCommand(int command);

    // Sets the command's data-transfer mode, then opens the window of its kind with that mode,
    // or brings the open one to the front (the mode it was made with stays its own).
    void Open(int command);
    // A window's closing notice (it names itself by its widget or by its receiver part): its
    // slot is cleared. False when no slot holds it.
    bool Forget(std::uintptr_t window);
    // Destroys every open window.
    void CloseAll();
    // Decodes the line once and calls every open window that is fed this kind of line.
    void Dispatch(const std::string& line);

    QWidget* window(int kind) const;
    std::array<bool, kWindowSlotCount> openKinds() const;
    // The mode the last window command set.
    std::uint8_t dataTransferMode() const { return dataTransferMode_; }

  private:
    // Stores where the window of the kind stands, for its next opening.
    void RememberPlace(int kind) const;

    struct Slot {
        QPointer<QWidget> window;
        ReceiverSink* sink = nullptr;  // the same object as window, null for a plain window
        WindowFeed feed = WindowFeed::Record;
    };

    LineDecoder& decoder_;
    std::array<Slot, kWindowSlotCount> slots_{};
    std::uint8_t dataTransferMode_ = 0;
};

}  // namespace orbex
