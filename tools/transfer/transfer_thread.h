// The worker thread of a hidden transfer window (almanac and ephemeris, assistance data) with the
// line queue it reads: the window hands in every receiver line, the work runs over a transfer
// session on that queue and sends to the receiver through the main window. One piece of work
// runs at a time; the window outlives it, since stopping joins the worker.
#pragma once

#include <atomic>
#include <functional>
#include <string_view>
#include <thread>

#include "tools/common/transfer_line_queue.h"
#include "tools/transfer/transfer_session.h"

namespace orbex {

class TransferThread {
  public:
    using Work = std::function<void(TransferSession& session)>;

    TransferThread() = default;
    TransferThread(const TransferThread&) = delete;
    TransferThread& operator=(const TransferThread&) = delete;
    ~TransferThread() { Stop(); }

    // User-interface thread: queues a receiver line for the work.
    void Offer(std::string_view line) { queue_.Append(line); }
    // Joins the last work (ended, or stopped here), forgets the lines queued before and starts
    // `work` on a new thread. Throws std::system_error when no thread can be made.
    void Start(Work work);
    // Tells the work to stop at its next wait.
    void Cancel() { queue_.Cancel(); }
    // Cancels the work and waits for it, handling its sends to the main window meanwhile (it
    // may be inside one, which runs on this thread). Does nothing when no work was started.
    void Stop();
    bool running() const { return worker_.joinable() && !finished_.load(); }

  private:
    TransferLineQueue queue_;
    std::atomic<bool> finished_{false};
    std::thread worker_;
};

}  // namespace orbex
