// The first-in, first-out list of received lines between the reader thread (producer) and
// the owner of the link (consumer). Each line holds exactly its bytes, terminator included.
#pragma once

#include <cstddef>
#include <deque>
#include <mutex>
#include <string>

#include "link/owner_post.h"

namespace orbex {

class LineQueue {
  public:
    // Appends a line; when the queue went from empty to one line, posts UWM_LINE_QUEUED
    // (0, 0) through `post`, so that one notice drains every line that follows it.
    void Push(std::string line, const OwnerPost& post);
    // Takes the oldest line; false when the queue is empty.
    bool Pop(std::string& line);
    bool Empty() const;
    std::size_t Size() const;
    void Clear();

  private:
    mutable std::mutex mutex_;
    std::deque<std::string> lines_;
};

// The process-wide queue every reader thread fills and the main window drains.
LineQueue& SharedLineQueue();

}  // namespace orbex
