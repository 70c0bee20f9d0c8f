// For tests: collects the texts that would have been shown instead of showing them, and answers
// every question with a chosen answer. Restores the previous message function when it goes.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace orbex {

class MessageBoxSink {
  public:
    explicit MessageBoxSink(MessageResult answer = MessageResult::Ok)
        : answer_(answer), previous_(SetMessageBoxFunction([this](const MessageRequest& r) {
              std::lock_guard lock(mutex_);  // messages may come from a reader thread
              requests_.push_back(r);
              return answer_;
          })) {}
    ~MessageBoxSink() { SetMessageBoxFunction(previous_); }
    MessageBoxSink(const MessageBoxSink&) = delete;
    MessageBoxSink& operator=(const MessageBoxSink&) = delete;

    std::vector<std::string> Texts() const {
        std::lock_guard lock(mutex_);  // copy while a reader thread may still add
        std::vector<std::string> texts;
        for (const auto& r : requests_)
            texts.push_back(r.text);
        return texts;
    }
    std::vector<MessageRequest> Requests() const {
        std::lock_guard lock(mutex_);  // copy while a reader thread may still add
        return requests_;
    }

  private:
    mutable std::mutex mutex_;
    MessageResult answer_;
    std::vector<MessageRequest> requests_;
    MessageBoxFunction previous_;
};

}  // namespace orbex
