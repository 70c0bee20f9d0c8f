#include "link/scripted_link.h"

#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/system_error.h"

namespace orbex {

ScriptedLink::ScriptedLink() = default;

ScriptedLink::ScriptedLink(LineQueue& queue) : StreamLink(queue) {}

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
    near_.Reset(ends[0]);
    far_.Reset(ends[1]);
    configured_ = parameters;
    return true;
}

long ScriptedLink::ReadStream(char* bytes, std::size_t capacity, short) {
    const ssize_t count = ::recv(near_.Get(), bytes, capacity, MSG_DONTWAIT);
    if (count > 0) {
        return count;
    }
    if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
        return 0;
    }
    SetSystemError(count == 0 ? ECONNRESET : errno);
    return -1;
}

bool ScriptedLink::WriteStream(const void* bytes, std::size_t count) {
    const ssize_t sent = ::send(near_.Get(), bytes, count, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent != static_cast<ssize_t>(count)) {
        SetSystemError(sent < 0 ? errno : EAGAIN);
        return false;
    }
    return true;
}

long ScriptedLink::QueuedInput() const {
    int queued = 0;
    return ::ioctl(near_.Get(), FIONREAD, &queued) == 0 ? queued : -1;
}

bool ScriptedLink::ConfigureStream(const SerialParameters& parameters) {
    // Guards the settings against the test's thread.
    std::lock_guard<std::mutex> lock(farMutex_);
    configured_ = parameters;
    return true;
}

bool ScriptedLink::IsGone(int code) const {
    return code == EPIPE || code == ECONNRESET;
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
