// A recording replayed as if the receiver sent it: a reader thread reads the file line by line
// and queues each line, neither tested for printable bytes nor written to the console log;
// at the end of the file it reports "End of file" and posts UWM_REPLAY_END. Nothing written
// to it is sent anywhere.
#pragma once

#include <string>
#include <thread>

#include "link/receiver_link.h"
#include "link/replay_pace.h"
#include "platform/poll_event.h"
#include "platform/unique_fd.h"

namespace orbex {

class ReplayLink : public ReceiverLink {
  public:
    explicit ReplayLink(std::string path);
    ReplayLink(LineQueue& queue, std::string path);
    ~ReplayLink() override;

    // The settings are not used.
    bool Open(OwnerPost owner, const PortSettings& settings = {}) override;
    void Close() override;
    bool IsOpen() const override { return readerThread_.joinable(); }
    // True while open: nothing is sent.
    bool Write(const void* bytes, std::size_t count) override;
    bool ApplyPortSettings(const PortSettings&) override { return true; }
    bool replay() const override { return true; }
    std::string Describe() const override { return path_; }

    // How the replay is paced; the designed 1 ms a line unless set. Set before Open.
    void SetReplayPace(ReplayPace pace) { pace_ = pace; }

  private:
    void Reader();

    std::string path_;
    ReplayPace pace_ = ReplayPace::Fast;  // read by the reader thread, set before Open
    std::unique_ptr<PollEvent> stopEvent_;
    UniqueFd file_;
    std::thread readerThread_;
};

}  // namespace orbex
