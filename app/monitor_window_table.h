// The table of open monitor windows: one slot per window kind, each empty or holding the window
// from its opening until it announces its end. It opens windows through the installed factory
// and hands every dispatched line, raw or decoded, to the open windows in ascending kind order.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

#include "gui/receiver_sink.h"

namespace orbex {

inline constexpr int kWindowSlotCount = 20;

class MonitorWindowTable {
  public:
    MonitorWindowTable() = default;
    ~MonitorWindowTable() { CloseAll(); }
    MonitorWindowTable(const MonitorWindowTable&) = delete;
    MonitorWindowTable& operator=(const MonitorWindowTable&) = delete;

    // Sets the command's data-transfer mode, then opens the window of its kind, or brings the
    // open one to the front.
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

  private:
    struct Slot {
        QPointer<QWidget> window;
        ReceiverSink* sink = nullptr;  // the same object as window, null for a plain window
    };

    std::array<Slot, kWindowSlotCount> slots_{};
};

}  // namespace orbex
