#include "cli/orbex_data/upload_watch.h"

#include <algorithm>

namespace orbex {

namespace {

std::string_view WithoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

void UploadWatch::Sent(std::string_view bytes) {
    if (!bytes.starts_with("@AMI") && !bytes.starts_with("@EMI")) {
        return;
    }
    std::lock_guard lock(mutex_);
    tag_ = "[" + std::string(bytes.substr(1, 3)) + "] ";
    completed_ = false;
}

void UploadWatch::See(std::string_view line) {
    bool rejectedNow = false;
    {
        std::lock_guard lock(mutex_);
        if (tag_.empty() || !line.starts_with(tag_)) {
            return;
        }
        const std::string_view words = WithoutLineEnd(line);
        const std::string_view reply = words.substr(tag_.size());
        const bool completion = reply.starts_with("Completed");
        const bool bad = reply.starts_with("Err") ||
                         (reply.starts_with("Line ") && reply.ends_with(" Err")) ||
                         (completion && reply.find(" bad") != std::string_view::npos);
        if (bad && !rejection_) {
            rejection_ = std::string(words);
            rejectedNow = true;
        }
        completed_ = completed_ || (completion && !bad);
    }
    changed_.notify_all();
    if (rejectedNow) {
        rejected_();
    }
}

std::optional<std::string> UploadWatch::Rejection() const {
    std::lock_guard lock(mutex_);
    return rejection_;
}

bool UploadWatch::WaitForCompletion(std::chrono::milliseconds limit,
                                    const std::function<bool()>& stopped) {
    const auto end = std::chrono::steady_clock::now() + limit;
    std::unique_lock lock(mutex_);
    const auto settled = [this] { return completed_ || rejection_.has_value(); };
    while (!settled() && !stopped() && std::chrono::steady_clock::now() < end) {
        const auto step = std::min<std::chrono::steady_clock::duration>(
            std::chrono::milliseconds(100), end - std::chrono::steady_clock::now());
        changed_.wait_for(lock, step, settled);
    }
    return completed_ && !rejection_;
}

}  // namespace orbex
