// orbex-data's watch on the receiver's replies to an almanac or ephemeris upload. The shared
// transmission worker takes one receiver line per data line without reading it (as the window
// does); the watch reads every line the link delivers, so that "[AMI] Line 05 Err", "[EMI] Err
// Timeout after ..." or "[AMI] Completed 64 lines, 3 bad" fail the run with the receiver's words.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace orbex {

class UploadWatch {
  public:
    // `rejected` is called once, on the link's thread, when the receiver rejects a line.
    explicit UploadWatch(std::function<void()> rejected) : rejected_(std::move(rejected)) {}

    // What the worker sends: "@AMI" or "@EMI" starts watching the replies of that upload.
    void Sent(std::string_view bytes);
    // Every receiver line, on the link's thread.
    void See(std::string_view line);

    // The receiver's words when it rejected a line or the upload.
    std::optional<std::string> Rejection() const;
    // Waits until the upload now watched is confirmed ("[AMI] Completed ...") or rejected, at
    // most `limit`, and looks at `stopped` (a cancel) every tenth of a second; true when it
    // was confirmed.
    bool WaitForCompletion(std::chrono::milliseconds limit, const std::function<bool()>& stopped);

  private:
    std::function<void()> rejected_;
    // Guards the state below between the link's thread and the program's; the condition
    // wakes the program when the confirmation or a rejection arrives.
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::string tag_;  // "[AMI] " while an almanac upload is watched
    bool completed_ = false;
    std::optional<std::string> rejection_;
};

}  // namespace orbex
