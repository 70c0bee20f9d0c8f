#include "link/tcp_link.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/system_error.h"

namespace orbex {

namespace {

using std::chrono::milliseconds;

// At Open the user waits for the answer; a reconnect tries briefly and tries again 500 ms later.
constexpr milliseconds kOpenConnectLimit(5000);
constexpr milliseconds kReconnectLimit(1000);
// Keep-alive: first probe after 10 s of silence, then every 5 s, given up after 3 misses, so
// a dead peer is noticed within 25 s; unacknowledged commands give up within the same time.
constexpr int kKeepIdleSeconds = 10;
constexpr int kKeepIntervalSeconds = 5;
constexpr int kKeepCount = 3;
constexpr unsigned kUserTimeoutMs = 25000;

void WatchForDeadPeer(int fd) {
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &kKeepIdleSeconds, sizeof kKeepIdleSeconds);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &kKeepIntervalSeconds,
                 sizeof kKeepIntervalSeconds);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &kKeepCount, sizeof kKeepCount);
    ::setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &kUserTimeoutMs, sizeof kUserTimeoutMs);
    // Commands are short and wanted at once.
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

struct AddressListDeleter {
    void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};

}  // namespace

TcpLink::TcpLink(LineQueue& queue, NetworkAddress address)
    : SocketLink(queue), address_(std::move(address)) {}

TcpLink::~TcpLink() {
    Close();
}

bool TcpLink::OpenStream(const SerialParameters&, bool reconnect) {
    return Connect(reconnect ? kReconnectLimit : kOpenConnectLimit);
}

bool TcpLink::Connect(milliseconds limit) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(address_.port);
    const int resolved = ::getaddrinfo(address_.host.c_str(), service.c_str(), &hints, &found);
    if (resolved != 0) {
        SetSystemError(resolved == EAI_SYSTEM ? errno : EHOSTUNREACH);
        return false;
    }
    const std::unique_ptr<addrinfo, AddressListDeleter> list(found);
    int code = ECONNREFUSED;
    for (const addrinfo* entry = list.get(); entry != nullptr; entry = entry->ai_next) {
        UniqueFd fd(::socket(entry->ai_family, entry->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                             entry->ai_protocol));
        if (!fd.Valid()) {
            code = errno;
            continue;
        }
        if (::connect(fd.Get(), entry->ai_addr, entry->ai_addrlen) != 0) {
            if (errno != EINPROGRESS) {
                code = errno;
                continue;
            }
            // Waits for the connection, the limit, or Close (which must not wait for this).
            short revents = 0;
            const PollEvent::Woken woken = stopEvent()->WaitWith(fd.Get(), POLLOUT, limit, revents);
            if (woken == PollEvent::Woken::Event) {
                code = ECANCELED;
                break;
            }
            if (woken == PollEvent::Woken::TimedOut) {
                code = ETIMEDOUT;
                continue;
            }
            int failure = 0;
            socklen_t length = sizeof failure;
            ::getsockopt(fd.Get(), SOL_SOCKET, SO_ERROR, &failure, &length);
            if (failure != 0) {
                code = failure;
                continue;
            }
        }
        WatchForDeadPeer(fd.Get());
        Adopt(std::move(fd));
        return true;
    }
    SetSystemError(code);
    return false;
}

}  // namespace orbex
