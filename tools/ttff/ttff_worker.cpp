#include "tools/ttff/ttff_worker.h"

#include <chrono>

namespace orbex {
namespace {

using namespace std::chrono_literals;

// The oldest line, waiting as long as it takes; false when the cycle was cancelled.
bool NextLine(TransferLineQueue& queue, std::string& line) {
    for (;;) {
        switch (queue.WaitForLine(line, 1000ms)) {
            case TransferLineQueue::WaitResult::Line:
                return true;
            case TransferLineQueue::WaitResult::Cancelled:
                return false;
            case TransferLineQueue::WaitResult::TimedOut:
                break;
        }
    }
}

}  // namespace

void RunTtffCycle(TransferLineQueue& queue, TtffMeasurementCycle& cycle) {
    cycle.Begin();
    std::string line;
    for (int i = 0; i < TtffMeasurementCycle::kSettlingLines; ++i) {
        queue.Clear();
        if (!NextLine(queue, line)) {
            cycle.Cancel();
            return;
        }
        if (cycle.StoppedWhileSettling()) {
            cycle.Finish();
            return;
        }
        if (cycle.EndsSettling(line)) {
            break;
        }
    }
    // Lines from before the reset are dropped before it is sent: a receiver on a fast line
    // echoes the reset and prints its banner before the send has even returned here.
    queue.Clear();
    cycle.SendReset();
    while (!cycle.over()) {
        if (!NextLine(queue, line)) {
            cycle.Cancel();
            return;
        }
        cycle.OnLine(line);
    }
    cycle.Finish();
}

TtffWorker::TtffWorker(std::function<void()> whileJoining)
    : whileJoining_(std::move(whileJoining)) {}

TtffWorker::~TtffWorker() {
    Shutdown();
}

void TtffWorker::Start(std::unique_ptr<TtffMeasurementCycle> cycle) {
    Shutdown();
    queue_.Restart();
    ended_.ResetSignal();
    running_ = true;
    thread_ = std::thread([this, cycle = std::move(cycle)] {
        RunTtffCycle(queue_, *cycle);
        running_ = false;
        ended_.Set();
    });
}

void TtffWorker::OfferLine(std::string_view line) {
    if (running_) {
        queue_.Append(line);
    }
}

void TtffWorker::Shutdown() {
    if (thread_.joinable()) {
        queue_.Cancel();
        Join();
    }
    queue_.Clear();
}

void TtffWorker::Join() {
    // The worker may be blocked in a send to this thread: keep serving sends while waiting.
    while (!ended_.Wait(whileJoining_ ? 5ms : 1000ms)) {
        if (whileJoining_) {
            whileJoining_();
        }
    }
    thread_.join();
}

}  // namespace orbex
