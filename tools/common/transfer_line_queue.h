// The line queue of one data-transfer or test-sequence tool: the user-interface thread appends
// an owned copy of every receiver line (terminator included) while the tool's worker takes them
// in arrival order. Beside the list: the line-available event (auto-reset, signalled when an
// append makes the list go from empty to one line) and the cancel event (manual-reset, signalled
// when the user cancels or the tool's window goes away), which every wait of the worker watches.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/event.h"

namespace orbex {

class TransferLineQueue {
  public:
    enum class WaitResult { Line, Cancelled, TimedOut };

    TransferLineQueue();
    TransferLineQueue(const TransferLineQueue&) = delete;
    TransferLineQueue& operator=(const TransferLineQueue&) = delete;

    // User-interface thread: queues a copy of the line as the link delivered it.
    void Append(std::string_view line);
    // Worker: takes the oldest line; false when none is queued.
    bool Take(std::string& line);
    // Worker: takes the oldest line, waiting for one at most `timeout`. A cancel ends the wait
    // at once and wins over queued lines, so that a cancelled worker stops reading.
    WaitResult WaitForLine(std::string& line, std::chrono::milliseconds timeout);
    // Worker: waits `timeout` unless cancelled first; true when cancelled (a pacing pause).
    bool SleepUnlessCancelled(std::chrono::milliseconds timeout);

    void Cancel() { cancel_.Set(); }
    bool Cancelled() const { return cancel_.IsSet(); }
    // Before a new operation: forgets old lines and a past cancel.
    void Restart();
    void Clear();
    std::size_t Size() const;

    Event& lineAvailable() { return lineAvailable_; }
    Event& cancelEvent() { return cancel_; }

  private:
    // Held only to link or unlink one line: the user-interface thread never waits on the worker.
    mutable std::mutex mutex_;
    std::deque<std::string> lines_;
    Event lineAvailable_{Event::Reset::Auto};
    Event cancel_{Event::Reset::Manual};
};

}  // namespace orbex
