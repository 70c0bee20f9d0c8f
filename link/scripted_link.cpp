#include "link/scripted_link.h"

#include <sys/socket.h>

#include <array>
#include <cerrno>

#include "platform/system_error.h"

namespace orbex {

ScriptedLink::ScriptedLink() = default;

ScriptedLink::ScriptedLink(LineQueue& queue) : SocketLink(queue) {}

ScriptedLink::~ScriptedLink() {
    Close();
}

bool ScriptedLink::OpenStream(const SerialParameters& parameters, bool) {
    // Guards the far end and the settings against the test's thread.
    std::lock_guard<std::mutex> lock(farMutex_);
    if (!available_) {
        SetSystemError(ECONNREFUSED);
        return false;
    }
    int ends[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0) {
        SetSystemErrorFromErrno();
        return false;
    }
    Adopt(UniqueFd(ends[0]));
    far_.Reset(ends[1]);
    configured_ = parameters;
    return true;
}

bool ScriptedLink::ConfigureStream(const SerialParameters& parameters) {
    // Guards the settings against the test's thread.
    std::lock_guard<std::mutex> lock(farMutex_);
    configured_ = parameters;
    return true;
}

bool ScriptedLink::Feed(std::string_view bytes) {
    // Guards the far end against a reconnect.
    std::lock_guard<std::mutex> lock(farMutex_);
    return far_.Valid() && ::send(far_.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
                               static_cast<ssize_t>(bytes.size());
}

std::string ScriptedLink::Written() {
    // Guards the far end and the collected bytes.
    std::lock_guard<std::mutex> lock(farMutex_);
    std::array<char, 4096> chunk{};
    while (far_.Valid()) {
        const ssize_t count = ::recv(far_.Get(), chunk.data(), chunk.size(), MSG_DONTWAIT);
        if (count <= 0) {
            break;
        }
        written_.append(chunk.data(), static_cast<std::size_t>(count));
    }
    return written_;
}

void ScriptedLink::Drop() {
    // Guards the far end against a reconnect.
    std::lock_guard<std::mutex> lock(farMutex_);
    available_ = false;
    far_.Reset();
}

void ScriptedLink::Restore() {
    // Guards the flag against a reconnect.
    std::lock_guard<std::mutex> lock(farMutex_);
    available_ = true;
}

SerialParameters ScriptedLink::Configured() const {
    // Guards the settings against a reconnect or a live change.
    std::lock_guard<std::mutex> lock(farMutex_);
    return configured_;
}

}  // namespace orbex
