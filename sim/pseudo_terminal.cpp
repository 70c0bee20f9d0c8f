#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace orbex::sim {
namespace {

speed_t SpeedOf(unsigned baud) {
    switch (baud) {
        case 4800:
            return B4800;
        case 19200:
            return B19200;
        case 115200:
            return B115200;
        default:
            return B9600;
    }
}

}  // namespace

PseudoTerminal::~PseudoTerminal() {
    Close();
}

PseudoTerminal::PseudoTerminal(PseudoTerminal&& other) noexcept {
    *this = std::move(other);
}

PseudoTerminal& PseudoTerminal::operator=(PseudoTerminal&& other) noexcept {
    if (this != &other) {
        Close();
        master_ = std::exchange(other.master_, -1);
        slave_ = std::exchange(other.slave_, -1);
        slavePath_ = std::move(other.slavePath_);
    }
    return *this;
}

bool PseudoTerminal::Open(unsigned baud, std::string& error) {
    Close();
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = std::string("cannot unlock the pseudo-terminal: ") + std::strerror(errno);
        Close();
        return false;
    }
    char name[256];
    if (ptsname_r(master_, name, sizeof name) != 0) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        Close();
        return false;
    }
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0) {
        error = "cannot open " + slavePath_ + ": " + std::strerror(errno);
        Close();
        return false;
    }
    termios settings{};
    if (tcgetattr(slave_, &settings) == 0) {
        cfmakeraw(&settings);
        settings.c_cflag |= CLOCAL | CREAD;
        cfsetispeed(&settings, SpeedOf(baud));
        cfsetospeed(&settings, SpeedOf(baud));
        tcsetattr(slave_, TCSANOW, &settings);
    }
    const int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    return true;
}

void PseudoTerminal::Close() {
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

bool PseudoTerminal::Write(std::string_view bytes) {
    int blockedMs = 0;
    while (!bytes.empty()) {
        const ssize_t n = ::write(master_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            blockedMs = 0;
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (blockedMs >= 1000) {
                tcflush(slave_, TCIFLUSH);  // nobody is reading: drop the unread output
                blockedMs = 0;
                continue;
            }
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 100);  // wait for the reader to make room, a tenth of a second at most
            blockedMs += 100;
            continue;
        }
        return false;
    }
    return true;
}

std::string PseudoTerminal::ReadAvailable() {
    std::string data;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            data.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        return data;  // EAGAIN (nothing more), or EIO while no one holds the slave
    }
}

}  // namespace orbex::sim
