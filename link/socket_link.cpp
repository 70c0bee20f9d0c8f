#include "link/socket_link.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <cerrno>

#include "platform/system_error.h"

namespace orbex {

long SocketLink::ReadStream(char* bytes, std::size_t capacity, short) {
    return ReceiveRaw(bytes, capacity);
}

bool SocketLink::WriteStream(const void* bytes, std::size_t count) {
    return SendRaw(bytes, count);
}

long SocketLink::QueuedInput() const {
    int queued = 0;
    if (::ioctl(socket_.Get(), FIONREAD, &queued) != 0) {
        return -1;
    }
    return queued;
}

bool SocketLink::IsGone(int code) const {
    return code == EPIPE || code == ECONNRESET || code == ENOTCONN || code == ETIMEDOUT;
}

long SocketLink::ReceiveRaw(char* bytes, std::size_t capacity) {
    if (capacity == 0) {
        return 0;
    }
    const ssize_t count = ::recv(socket_.Get(), bytes, capacity, MSG_DONTWAIT);
    if (count > 0) {
        return count;
    }
    if (count == 0) {
        SetSystemError(ECONNRESET);  // the far end closed the connection
        return -1;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
        return 0;
    }
    SetSystemErrorFromErrno();
    return -1;
}

bool SocketLink::SendRaw(const void* bytes, std::size_t count) {
    using std::chrono::milliseconds;
    const auto* next = static_cast<const char*>(bytes);
    const auto deadline = std::chrono::steady_clock::now() + kWriteTimeout;
    while (count > 0) {
        const ssize_t sent = ::send(socket_.Get(), next, count, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            next += sent;
            count -= static_cast<std::size_t>(sent);
            continue;
        }
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            SetSystemErrorFromErrno();
            return false;
        }
        // The socket is full: waits for room, at most until the write time-out.
        const auto left =
            std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd entry{socket_.Get(), POLLOUT, 0};
        if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) == 0) {
            SetSystemError(ETIMEDOUT);
            return false;
        }
    }
    return true;
}

}  // namespace orbex
