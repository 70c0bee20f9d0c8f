// The sends of the cycle workers to the owner of the links (the program's main thread): a worker
// hands over the bytes and waits until the main thread has written them, as the window's worker
// waits for the main window. The main thread serves the sends in its loop and while it joins a
// worker, so a worker never waits on a thread that waits for it.
#pragma once

#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/event.h"

namespace orbex {

class OwnerSends {
  public:
    using Writer = std::function<void(std::string_view bytes)>;

    // Worker: queues the bytes for `writer` and waits until they are written, or dropped by
    // Close.
    void Send(const Writer& writer, std::string_view bytes);
    // Main thread: writes every queued send.
    void Serve();
    // Main thread: no more writes; waiting and later sends return at once.
    void Close();
    // Signalled when a send is queued.
    Event& queued() { return queued_; }

  private:
    struct Pending {
        Writer writer;
        std::string bytes;
        std::promise<void> done;
    };
    std::mutex mutex_;  // held only to link or unlink one send
    std::deque<std::shared_ptr<Pending>> pending_;
    bool closed_ = false;
    Event queued_{Event::Reset::Auto};
};

}  // namespace orbex
