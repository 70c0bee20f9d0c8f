#include "gui/command_history.h"

namespace orbex {

void CommandHistory::Add(const QString& text) {
    // A repeated command is already remembered: dropping the oldest entry for it would lose
    // a command without adding one.
    if (entries_.contains(text)) {
        return;
    }
    if (entries_.size() >= kMaxEntries) {
        entries_.removeFirst();
    }
    entries_.append(text);
}

CommandHistory& SharedCommandHistory() {
    static CommandHistory history;
    return history;
}

}  // namespace orbex
