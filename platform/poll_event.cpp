#include "platform/poll_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <system_error>

namespace orbex {

namespace {

int ToPollTimeout(std::chrono::milliseconds timeout) {
    if (timeout.count() < 0) {
        return -1;
    }
    constexpr std::chrono::milliseconds::rep kLongest = 0x7fffffff;
    return static_cast<int>(timeout.count() > kLongest ? kLongest : timeout.count());
}

}  // namespace

PollEvent::PollEvent() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (!fd_.Valid()) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
}

void PollEvent::Set() {
    // The counter only grows, so the descriptor stays readable: nobody ever reads it.
    const std::uint64_t one = 1;
    while (::write(fd_.Get(), &one, sizeof one) < 0 && errno == EINTR) {
    }
}

bool PollEvent::IsSet() const {
    return Wait(std::chrono::milliseconds(0));
}

bool PollEvent::Wait(std::chrono::milliseconds timeout) const {
    short ignored = 0;
    return WaitWith(-1, 0, timeout, ignored) == Woken::Event;
}

PollEvent::Woken PollEvent::WaitWith(int fd, short events, std::chrono::milliseconds timeout,
                                     short& revents) const {
    // A negative descriptor is skipped by poll, so Wait uses this with the event alone.
    pollfd watched[2] = {{fd_.Get(), POLLIN, 0}, {fd, events, 0}};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int pollTimeout = ToPollTimeout(timeout);
    for (;;) {
        const int ready = ::poll(watched, 2, pollTimeout);
        if (ready > 0) {
            break;
        }
        if (ready == 0) {
            revents = 0;
            return Woken::TimedOut;
        }
        if (errno != EINTR) {
            // Only an invalid set of descriptors fails here; report it as the device's error.
            revents = POLLERR;
            return Woken::Descriptor;
        }
        if (pollTimeout > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollTimeout = ToPollTimeout(std::max(left, std::chrono::milliseconds(0)));
        }
    }
    revents = watched[1].revents;
    return (watched[0].revents & POLLIN) != 0 ? Woken::Event : Woken::Descriptor;
}

}  // namespace orbex
