// What the link tests share: a temporary directory, a collector for message boxes and an owner
// that records what the link posts to it.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "link/owner_post.h"
#include "platform/event.h"
#include "platform/message_box.h"
#include "tests/support/temp_dir.h"

namespace orbex::testing {

// Collects message box texts instead of showing them, from any thread.
class MessageSink {
  public:
    MessageSink() {
        previous_ = SetMessageBoxFunction([this](const MessageRequest& request) {
            std::lock_guard<std::mutex> lock(mutex_);
            texts_.push_back(request.text);
            return MessageResult::Ok;
        });
    }
    ~MessageSink() { SetMessageBoxFunction(previous_); }
    std::vector<std::string> Texts() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return texts_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
    MessageBoxFunction previous_;
};

// The owner of a link: records each posted message and wakes a waiting test.
class RecordingOwner {
  public:
    OwnerPost Post() {
        return [this](unsigned message, std::uintptr_t, std::intptr_t) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                messages_.push_back(message);
            }
            posted_.Set();
        };
    }
    std::vector<unsigned> Messages() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return messages_;
    }
    bool WaitForPost(std::chrono::milliseconds timeout) { return posted_.Wait(timeout); }

  private:
    mutable std::mutex mutex_;
    std::vector<unsigned> messages_;
    Event posted_{Event::Reset::Auto};
};

}  // namespace orbex::testing
