#include "link/line_queue.h"

#include <utility>

#include "platform/window_messages.h"

namespace orbex {

void LineQueue::Push(std::string line, const OwnerPost& post) {
    // Held while linking the line and posting the notice: a consumer that empties the queue
    // in between cannot make the 0 -> 1 test (and so the notice) go wrong.
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back(std::move(line));
    if (lines_.size() == 1 && post) {
        post(UWM_LINE_QUEUED, 0, 0);
    }
}

bool LineQueue::Pop(std::string& line) {
    // Held only to unlink the head; the line is processed outside the lock.
    std::lock_guard<std::mutex> lock(mutex_);
    if (lines_.empty()) {
        return false;
    }
    line = std::move(lines_.front());
    lines_.pop_front();
    return true;
}

bool LineQueue::Empty() const {
    // Guards the read against a concurrent Push.
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_.empty();
}

std::size_t LineQueue::Size() const {
    // Guards the read against a concurrent Push.
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_.size();
}

void LineQueue::Clear() {
    // Guards the list against a concurrent Push.
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.clear();
}

LineQueue& SharedLineQueue() {
    static LineQueue queue;
    return queue;
}

}  // namespace orbex
