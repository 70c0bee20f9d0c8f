// A manual-reset event that poll() can wait on beside a device: an eventfd that becomes
// readable when the event is signalled. The serial reader sleeps on its port and its stop
// event together, so it wakes for data or for Close and costs nothing while idle.
#pragma once

#include <chrono>

#include "platform/unique_fd.h"

namespace orbex {

class PollEvent {
  public:
    // What ended a WaitWith.
    enum class Woken { Event, Descriptor, TimedOut };

    // Throws std::system_error when the kernel cannot make an eventfd.
    PollEvent();
    PollEvent(const PollEvent&) = delete;
    PollEvent& operator=(const PollEvent&) = delete;

    // Signals the event; it stays signalled (manual reset).
    void Set();
    bool IsSet() const;
    // True when the event was signalled before the time-out.
    bool Wait(std::chrono::milliseconds timeout) const;
    // Waits until the event is signalled or `fd` reports one of `events` (or a hang-up or
    // error, which poll always reports); `revents` gets what the descriptor reported. A
    // negative time-out waits without limit. The event wins when both are ready.
    Woken WaitWith(int fd, short events, std::chrono::milliseconds timeout, short& revents) const;

  private:
    UniqueFd fd_;
};

}  // namespace orbex
