#include "link/send_service.h"

namespace orbex {

SendService::SendService(Writer writer, std::function<void()> wake)
    : writer_(std::move(writer)), wake_(std::move(wake)) {}

void SendService::Send(std::string_view bytes) {
    auto pending = std::make_shared<Pending>(Pending{std::string(bytes), {}});
    std::future<void> done = pending->done.get_future();
    {
        std::lock_guard lock(mutex_);  // link the send
        if (closed_) {
            return;
        }
        pending_.push_back(pending);
    }
    if (wake_) {
        wake_();
    }
    done.wait();
}

void SendService::Serve() {
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
        if (writer_) {
            writer_(pending->bytes);
        }
        pending->done.set_value();
    }
}

void SendService::Close() {
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
