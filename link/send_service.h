// The sends of worker threads to the owner of a link: a worker hands over the bytes and waits
// until the owner's thread has written them, as a tool window's worker waits for the main
// window. The owner serves the sends in its loop and while it joins a worker, so a worker
// never waits on a thread that waits for it.
#pragma once

#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace orbex {

class SendService {
  public:
    using Writer = std::function<void(std::string_view bytes)>;

    // `writer` writes on the owner's thread; `wake` tells the owner a send is waiting (it must
    // not block).
    SendService(Writer writer, std::function<void()> wake);

    // Worker: queues the bytes and waits until they are written, or dropped by Close.
    void Send(std::string_view bytes);
    // Owner's thread: writes every queued send.
    void Serve();
    // Owner's thread: no more writes; waiting and later sends return at once.
    void Close();

  private:
    struct Pending {
        std::string bytes;
        std::promise<void> done;
    };
    Writer writer_;
    std::function<void()> wake_;
    std::mutex mutex_;  // held only to link or unlink one send
    std::deque<std::shared_ptr<Pending>> pending_;
    bool closed_ = false;
};

}  // namespace orbex
