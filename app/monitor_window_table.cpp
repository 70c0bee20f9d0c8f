#include "app/monitor_window_table.h"

#include "app/string_resources.h"
#include "gui/window_place.h"

namespace orbex {

bool MonitorWindowTable::IsWindowCommand(int command) {
    return InstalledWindowTable().RowOfCommand(command) != nullptr;
}

void MonitorWindowTable::Open(int command) {
    const WindowRow* row = InstalledWindowTable().RowOfCommand(command);
    if (row == nullptr || row->kind < 0 || row->kind >= kWindowSlotCount) {
        return;
    }
    dataTransferMode_ = row->transferMode;
    Slot& slot = slots_[row->kind];
    if (QWidget* open = slot.window.data()) {
        if (open->isMinimized()) {
            open->showNormal();
        }
        open->raise();
        open->activateWindow();
        return;
    }
    QWidget* window =
        InstalledWindowTable().Make(*row, LoadStringResource(row->titleCommand), decoder_);
    if (window == nullptr) {
        return;
    }
    slot.window = window;
    slot.sink = dynamic_cast<ReceiverSink*>(window);
    slot.feed = row->feed;
    // Where the window of this kind was when it was last closed (default place otherwise).
    RestoreWindowPlace(*window, std::string(row->name));
    window->show();
}

bool MonitorWindowTable::Forget(std::uintptr_t window) {
    for (int kind = 0; kind < kWindowSlotCount; ++kind) {
        Slot& slot = slots_[kind];
        const auto widget = reinterpret_cast<std::uintptr_t>(slot.window.data());
        const auto sink = reinterpret_cast<std::uintptr_t>(slot.sink);
        if ((slot.window || slot.sink) && (widget == window || sink == window)) {
            // The closing notice comes from the window's destructor, while its widget still
            // knows its place.
            RememberPlace(kind);
            slot = Slot{};
            return true;
        }
    }
    return false;
}

void MonitorWindowTable::RememberPlace(int kind) const {
    const QWidget* window = slots_[kind].window.data();
    const WindowRow* row = InstalledWindowTable().RowOfKind(kind);
    if (window != nullptr && row != nullptr) {
        RememberWindowPlace(*window, std::string(row->name));
    }
}

void MonitorWindowTable::CloseAll() {
    for (int kind = 0; kind < kWindowSlotCount; ++kind) {
        Slot& slot = slots_[kind];
        RememberPlace(kind);
        if (QWidget* window = slot.window.data()) {
            slot = Slot{};
            delete window;  // its closing notice finds the slot empty already
        }
    }
}

void MonitorWindowTable::Dispatch(const std::string& line) {
    ReceiverState state{};
    const bool recognised = decoder_.Decode(state, std::string_view(line));
    for (int kind = 0; kind < kWindowSlotCount; ++kind) {
        // A window may close itself while it handles a line; the guarded pointer sees that.
        const Slot& slot = slots_[kind];
        if (!slot.window || !slot.sink) {
            continue;
        }
        switch (slot.feed) {
            case WindowFeed::EveryLine:
                slot.sink->OnReceiverLine(line);
                break;
            case WindowFeed::RecognisedLine:
                if (recognised) {
                    slot.sink->OnReceiverLine(line);
                }
                break;
            case WindowFeed::Record:
                if (recognised) {
                    slot.sink->OnReceiverRecord(state);
                }
                break;
        }
    }
}

QWidget* MonitorWindowTable::window(int kind) const {
    if (kind < 0 || kind >= kWindowSlotCount) {
        return nullptr;
    }
    return slots_[kind].window.data();
}

std::array<bool, kWindowSlotCount> MonitorWindowTable::openKinds() const {
    std::array<bool, kWindowSlotCount> open{};
    for (int kind = 0; kind < kWindowSlotCount; ++kind) {
        open[kind] = slots_[kind].window != nullptr;
    }
    return open;
}

}  // namespace orbex
