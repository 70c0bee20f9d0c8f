// A link for tests: a stream whose far end is the test. Feed() plays the receiver's bytes
// (framed, tested and queued exactly as a serial port's), Written() gives what the owner sent,
// Drop() breaks the connection as an unplugged port or a reset server does, and Restore()
// lets the next reconnect succeed.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "link/socket_link.h"
#include "platform/unique_fd.h"

namespace orbex {

class ScriptedLink : public SocketLink {
  public:
    ScriptedLink();
    explicit ScriptedLink(LineQueue& queue);
    ~ScriptedLink() override;

    std::string Describe() const override { return "scripted"; }

    // The receiver's side; false when the link is not connected.
    bool Feed(std::string_view bytes);
    // Everything the owner wrote so far (read from the far end), oldest first.
    std::string Written();
    void Drop();
    void Restore();
    // The line settings last made (at Open, a reconnect or a live change).
    SerialParameters Configured() const;

  protected:
    bool OpenStream(const SerialParameters& parameters, bool reconnect) override;
    bool ConfigureStream(const SerialParameters& parameters) override;

  private:
    // The test's end, the written bytes and the settings: the test's thread and the link's
    // threads both use them.
    mutable std::mutex farMutex_;
    UniqueFd far_;
    bool available_ = true;
    std::string written_;
    SerialParameters configured_;
};

}  // namespace orbex
