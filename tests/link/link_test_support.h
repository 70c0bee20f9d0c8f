// What the link tests share: a temporary directory, a collector for message boxes and an
// owner that records what the link posts to it.
#pragma once

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "link/owner_post.h"
#include "platform/event.h"
#include "platform/message_box.h"

namespace orbex::testing {

class TempDir {
  public:
    TempDir() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("orbex_link_test_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = path_ / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

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
