// A kernel-style event: auto-reset (one waiter released, then clear again) or manual-reset
// (stays signalled until Reset). Waits take a time-out; WaitAny waits on two events at once.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace orbex {

class Event {
  public:
    enum class Reset { Auto, Manual };

    explicit Event(Reset mode, bool signalled = false);
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void Set();
    void ResetSignal();
    bool IsSet() const;

    // True when the event was signalled before the time-out.
    bool Wait(std::chrono::milliseconds timeout);
    void WaitForever();

    // Waits on two events: 0 or 1 for the one that released the wait (the first when both are
    // signalled), -1 on time-out.
    static int WaitAny(Event& first, Event& second, std::chrono::milliseconds timeout);

  private:
    // A WaitAny in progress: every Set of either event pokes it so that it looks again.
    struct AnyWaiter {
        std::mutex mutex;
        std::condition_variable poked;
        bool wasPoked = false;
    };

    bool TryTake();  // consume the signal if set (auto-reset) or just report it (manual)
    void Attach(AnyWaiter* waiter);
    void Detach(AnyWaiter* waiter);

    const Reset mode_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_;
    std::vector<AnyWaiter*> anyWaiters_;  // not owned: each lives on its WaitAny's stack
};

}  // namespace orbex
