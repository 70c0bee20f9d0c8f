#include "app/monitor_window_table.h"

#include "app/data_transfer_mode.h"
#include "app/orbex_commands.h"
#include "app/placeholder_window.h"
#include "app/string_resources.h"
#include "decode/decode_line.h"
#include "gui/monitor_window_factory.h"

namespace orbex {

namespace {

// How each window kind is fed. Kinds without an entry never receive anything.
enum class Feed { None, EveryLine, RecognisedLine, Record };

constexpr std::array<Feed, kWindowSlotCount> kFeeds = [] {
    std::array<Feed, kWindowSlotCount> feeds{};
    for (int kind : {3, 4, 5, 6, 8}) {  // console, transfer windows, TTFF
        feeds[kind] = Feed::EveryLine;
    }
    feeds[12] = Feed::RecognisedLine;  // software reset
    for (int kind : {0, 1, 2, 13}) {   // general info, satellites, position plot, velocity
        feeds[kind] = Feed::Record;
    }
    return feeds;
}();

}  // namespace

void MonitorWindowTable::Open(int command) {
    const MonitorCommand mapped = MapMonitorCommand(command);
    SetDataTransferMode(mapped.mode);
    Slot& slot = slots_[mapped.kind];
    if (QWidget* open = slot.window.data()) {
        if (open->isMinimized()) {
            open->showNormal();
        }
        open->raise();
        open->activateWindow();
        return;
    }
    const QString title = LoadStringResource(mapped.mappedCommand);
    QWidget* window = nullptr;
    if (const MonitorWindowFactory& factory = CurrentMonitorWindowFactory()) {
        window = factory(mapped.kind, title);
    }
    if (!window) {
        window = new CPlaceholderWnd(mapped.kind, title);
    }
    slot.window = window;
    slot.sink = dynamic_cast<ReceiverSink*>(window);
    window->show();
}

bool MonitorWindowTable::Forget(std::uintptr_t window) {
    for (Slot& slot : slots_) {
        const auto widget = reinterpret_cast<std::uintptr_t>(slot.window.data());
        const auto sink = reinterpret_cast<std::uintptr_t>(slot.sink);
        if ((slot.window || slot.sink) && (widget == window || sink == window)) {
            slot = Slot{};
            return true;
        }
    }
    return false;
}

void MonitorWindowTable::CloseAll() {
    for (Slot& slot : slots_) {
        if (QWidget* window = slot.window.data()) {
            slot = Slot{};
            delete window;  // its closing notice finds the slot empty already
        }
    }
}

void MonitorWindowTable::Dispatch(const std::string& line) {
    ReceiverState state{};
    const bool recognised = DecodeLine(state, std::string_view(line));
    for (int kind = 0; kind < kWindowSlotCount; ++kind) {
        // A window may close itself while it handles a line; the guarded pointer sees that.
        const Slot& slot = slots_[kind];
        if (!slot.window || !slot.sink) {
            continue;
        }
        switch (kFeeds[kind]) {
            case Feed::EveryLine:
                slot.sink->OnReceiverLine(line);
                break;
            case Feed::RecognisedLine:
                if (recognised) {
                    slot.sink->OnReceiverLine(line);
                }
                break;
            case Feed::Record:
                if (recognised) {
                    slot.sink->OnReceiverRecord(state);
                }
                break;
            case Feed::None:
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
