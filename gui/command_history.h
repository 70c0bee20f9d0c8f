// The commands typed in this run, oldest first, at most 20 and without duplicates. Not stored.
#pragma once

#include <QString>
#include <QStringList>

namespace orbex {

class CommandHistory {
  public:
    static constexpr int kMaxEntries = 20;

    // Appends the text unless an equal entry is already there; a full history first drops its
    // oldest entry. A repeated command leaves the history as it was.
    void Add(const QString& text);
    const QStringList& entries() const { return entries_; }
    void Clear() { entries_.clear(); }

  private:
    QStringList entries_;
};

// The history of the Commands dialog (user-interface thread only).
CommandHistory& SharedCommandHistory();

}  // namespace orbex
