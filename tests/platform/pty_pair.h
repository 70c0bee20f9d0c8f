// A pseudo-terminal pair for tests: the test holds the master side and plays the receiver;
// the code under test opens the slave side by its path, like a serial device.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <string_view>
#include <thread>

namespace orbex::testing {

class PtyPair {
  public:
    PtyPair() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            char name[128] = {};
            if (::ptsname_r(master_, name, sizeof name) == 0) {
                slavePath_ = name;
            }
        }
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;
    ~PtyPair() { CloseMaster(); }

    bool Valid() const { return master_ >= 0 && !slavePath_.empty(); }
    const std::string& SlavePath() const { return slavePath_; }
    int Master() const { return master_; }

    // Plays the receiver: the bytes arrive at the slave side's input.
    void Send(std::string_view bytes) const {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (n <= 0) {
                return;
            }
            done += static_cast<std::size_t>(n);
        }
    }

    // What the code under test wrote to the slave side, collected until `count` bytes came or
    // `timeout` passed.
    std::string Receive(std::size_t count,
                        std::chrono::milliseconds timeout = std::chrono::milliseconds(2000)) const {
        std::string received;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (received.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd readable{master_, POLLIN, 0};
            if (::poll(&readable, 1, 20) > 0 && (readable.revents & POLLIN) != 0) {
                char buffer[4096];
                const ssize_t n = ::read(master_, buffer, sizeof buffer);
                if (n <= 0) {
                    break;
                }
                received.append(buffer, static_cast<std::size_t>(n));
            }
        }
        return received;
    }

    // Hangs the line up, as a receiver that is unplugged.
    void CloseMaster() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

  private:
    int master_ = -1;
    std::string slavePath_;
};

}  // namespace orbex::testing
