#include "platform/event.h"

#include <algorithm>

namespace orbex {

namespace {

// A deadline that does not overflow the clock for very long time-outs (a caller may pass
// milliseconds::max() to mean "no limit").
std::chrono::steady_clock::time_point DeadlineAfter(std::chrono::milliseconds timeout) {
    constexpr auto kLongest = std::chrono::hours(24 * 365 * 100);
    const auto now = std::chrono::steady_clock::now();
    return timeout > kLongest ? now + kLongest : now + timeout;
}

}  // namespace

Event::Event(Reset mode, bool signalled) : mode_(mode), signalled_(signalled) {}

void Event::Set() {
    // Guards the signal and the list of WaitAny callers watching this event.
    std::lock_guard<std::mutex> lock(mutex_);
    signalled_ = true;
    if (mode_ == Reset::Auto) {
        changed_.notify_one();
    } else {
        changed_.notify_all();
    }
    for (AnyWaiter* waiter : anyWaiters_) {
        // Lock order is always event, then waiter; WaitAny never holds both the other way.
        std::lock_guard<std::mutex> waiterLock(waiter->mutex);
        waiter->wasPoked = true;
        waiter->poked.notify_one();
    }
}

void Event::ResetSignal() {
    // Guards the signal against a concurrent Set.
    std::lock_guard<std::mutex> lock(mutex_);
    signalled_ = false;
}

bool Event::IsSet() const {
    // Guards the read of the signal against a concurrent Set.
    std::lock_guard<std::mutex> lock(mutex_);
    return signalled_;
}

bool Event::Wait(std::chrono::milliseconds timeout) {
    // Waits for Set; the predicate consumes an auto-reset signal inside the same lock.
    std::unique_lock<std::mutex> lock(mutex_);
    const bool released =
        changed_.wait_until(lock, DeadlineAfter(timeout), [this] { return signalled_; });
    if (released && mode_ == Reset::Auto) {
        signalled_ = false;
    }
    return released;
}

void Event::WaitForever() {
    // Waits for Set with no time limit.
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return signalled_; });
    if (mode_ == Reset::Auto) {
        signalled_ = false;
    }
}

bool Event::TryTake() {
    // Takes the signal atomically, so that of two waiters only one gets an auto-reset Set.
    std::lock_guard<std::mutex> lock(mutex_);
    if (!signalled_) {
        return false;
    }
    if (mode_ == Reset::Auto) {
        signalled_ = false;
    }
    return true;
}

void Event::Attach(AnyWaiter* waiter) {
    // Guards the watcher list against a concurrent Set walking it.
    std::lock_guard<std::mutex> lock(mutex_);
    anyWaiters_.push_back(waiter);
}

void Event::Detach(AnyWaiter* waiter) {
    // Guards the watcher list against a concurrent Set walking it.
    std::lock_guard<std::mutex> lock(mutex_);
    anyWaiters_.erase(std::remove(anyWaiters_.begin(), anyWaiters_.end(), waiter),
                      anyWaiters_.end());
}

int Event::WaitAny(Event& first, Event& second, std::chrono::milliseconds timeout) {
    const auto deadline = DeadlineAfter(timeout);
    AnyWaiter waiter;
    // Watch both events before looking at them, so a Set between the look and the wait is
    // not lost: it pokes the waiter.
    first.Attach(&waiter);
    second.Attach(&waiter);
    int released = -1;
    for (;;) {
        if (first.TryTake()) {
            released = 0;
            break;
        }
        if (second.TryTake()) {
            released = 1;
            break;
        }
        // Sleeps until either event pokes the waiter or the time is up.
        std::unique_lock<std::mutex> lock(waiter.mutex);
        if (!waiter.poked.wait_until(lock, deadline, [&waiter] { return waiter.wasPoked; })) {
            break;
        }
        waiter.wasPoked = false;
    }
    first.Detach(&waiter);
    second.Detach(&waiter);
    return released;
}

}  // namespace orbex
