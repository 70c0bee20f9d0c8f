#include "cli/orbex_ttff/owner_sends.h"

namespace orbex {

void OwnerSends::Send(const Writer& writer, std::string_view bytes) {
    auto pending = std::make_shared<Pending>(Pending{writer, std::string(bytes), {}});
    std::future<void> done = pending->done.get_future();
    {
        std::lock_guard lock(mutex_);  // link the send
        if (closed_) {
            return;
        }
        pending_.push_back(pending);
    }
    queued_.Set();
    done.wait();
}

void OwnerSends::Serve() {
    for (;;) {
        std::shared_ptr<Pending> pending;
        {
            std::lock_guard lock(mutex_);  // unlink one send
            if (pending_.empty()) {
                return;
            }
            pending = pending_.front();
            pending_.pop_front();
        }
        if (pending->writer) {
            pending->writer(pending->bytes);
        }
        pending->done.set_value();
    }
}

void OwnerSends::Close() {
    std::deque<std::shared_ptr<Pending>> dropped;
    {
        std::lock_guard lock(mutex_);  // no send is linked after this
        closed_ = true;
        dropped.swap(pending_);
    }
    for (auto& pending : dropped) {
        pending->done.set_value();
    }
}

}  // namespace orbex
