#include "tools/common/transfer_line_queue.h"

namespace orbex {

TransferLineQueue::TransferLineQueue() = default;

void TransferLineQueue::Append(std::string_view line) {
    bool wasEmpty = false;
    {
        std::lock_guard lock(mutex_);
        wasEmpty = lines_.empty();
        lines_.emplace_back(line);
    }
    if (wasEmpty) {
        lineAvailable_.Set();
    }
}

bool TransferLineQueue::Take(std::string& line) {
    std::lock_guard lock(mutex_);
    if (lines_.empty()) {
        return false;
    }
    line = std::move(lines_.front());
    lines_.pop_front();
    return true;
}

TransferLineQueue::WaitResult TransferLineQueue::WaitForLine(std::string& line,
                                                             std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (Cancelled()) {
            return WaitResult::Cancelled;
        }
        // The event is signalled only on empty-to-one, so lines left after an earlier take are
        // looked for before waiting.
        if (Take(line)) {
            return WaitResult::Line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return WaitResult::TimedOut;
        }
        // Wait for the cancel or the next line; a line appended between the take above and this
        // wait has already set the auto-reset event, so it is not missed.
        if (Event::WaitAny(cancel_, lineAvailable_, left) < 0) {
            return Cancelled() ? WaitResult::Cancelled : WaitResult::TimedOut;
        }
    }
}

bool TransferLineQueue::SleepUnlessCancelled(std::chrono::milliseconds timeout) {
    // The cancel event is manual-reset: waiting on it alone is the cancellable pause.
    return cancel_.Wait(timeout);
}

void TransferLineQueue::Restart() {
    Clear();
    cancel_.ResetSignal();
    lineAvailable_.ResetSignal();
}

void TransferLineQueue::Clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

std::size_t TransferLineQueue::Size() const {
    std::lock_guard lock(mutex_);
    return lines_.size();
}

}  // namespace orbex
