// The thread of TTFF cycles and their line queue. One cycle runs at a time: it reads the
// received lines from the TTFF line queue, which takes lines only while a cycle runs.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string_view>
#include <thread>

#include "platform/event.h"
#include "tools/common/transfer_line_queue.h"
#include "tools/ttff/ttff_cycle.h"

namespace orbex {

// Runs a cycle on lines from `queue`: the settling pause, the reset and the measurement.
// Waits for each line in steps of 1000 ms; the cancel event ends the cycle without a record.
void RunTtffCycle(TransferLineQueue& queue, TtffMeasurementCycle& cycle);

class TtffWorker {
  public:
    // `whileJoining` runs every few milliseconds while the owner waits for the thread to end,
    // so that a worker blocked in a send to the owner's thread can finish (the window passes
    // HandlePendingSends).
    explicit TtffWorker(std::function<void()> whileJoining = {});
    TtffWorker(const TtffWorker&) = delete;
    TtffWorker& operator=(const TtffWorker&) = delete;
    ~TtffWorker();

    // Ends a previous cycle's thread (cancelling it if it still runs), then runs `cycle` on a
    // new one. The cycle object is owned by the thread.
    void Start(std::unique_ptr<TtffMeasurementCycle> cycle);
    // Owner's thread: a received line; dropped while no cycle runs.
    void OfferLine(std::string_view line);
    // Cancels a running cycle and waits for its thread.
    void Shutdown();
    bool Running() const { return running_.load(); }

  private:
    void Join();

    std::function<void()> whileJoining_;
    TransferLineQueue queue_;
    std::atomic<bool> running_{false};
    Event ended_{Event::Reset::Manual};
    std::thread thread_;
};

}  // namespace orbex
