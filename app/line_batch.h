// One batch of the main window's drain of the line queue. A batch takes lines until the queue
// is empty or until it has run kLongestBatch, whichever comes first: a replay or a fast link
// may queue lines as quickly as they are dispatched, and the windows repaint only between
// batches.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "link/line_queue.h"

namespace orbex {

inline constexpr std::chrono::milliseconds kLongestBatch{20};

using BatchClock = std::function<std::chrono::steady_clock::time_point()>;

// Pops and dispatches lines, each outside the queue's lock, until the queue is empty or `now`
// reads kLongestBatch past the batch's start. Returns true when the batch ended with lines
// still queued: the caller has to drain again after the windows have repainted, because the
// queue posts its notice only when it goes from empty to one line.
bool DrainLineBatch(LineQueue& queue, const std::function<void(const std::string&)>& dispatch,
                    const BatchClock& now = std::chrono::steady_clock::now);

}  // namespace orbex
