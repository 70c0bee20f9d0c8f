// The line settings go through the kernel's termios2 record, which carries any speed
// (BOTHER), so 14400, 56000, 128000 and 256000 baud work like the standard rates. This file
// must not include <termios.h>: its record clashes with the kernel's one.
#include "platform/serial_port.h"

#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/system_error.h"

namespace orbex {

namespace {

constexpr cc_t kXonChar = 0x11;
constexpr cc_t kXoffChar = 0x13;

bool Fail() {
    SetSystemErrorFromErrno();
    return false;
}

// Raw mode: bytes pass unchanged both ways, no echo, no signals, reads return what is queued.
void MakeRaw(termios2& settings) {
    settings.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                               ICRNL | IXON | IXOFF | IXANY | INPCK);
    settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    settings.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    settings.c_cflag |= CREAD | CLOCAL;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
}

}  // namespace

bool SerialPort::Open(const std::string& path) {
    Close();
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.Valid()) {
        return Fail();
    }
    // No sharing: a second program opening the same port gets EBUSY.
    if (::ioctl(fd.Get(), TIOCEXCL) != 0) {
        return Fail();
    }
    termios2 settings{};
    if (::ioctl(fd.Get(), TCGETS2, &settings) != 0) {
        return Fail();
    }
    MakeRaw(settings);
    if (::ioctl(fd.Get(), TCSETS2, &settings) != 0) {
        return Fail();
    }
    fd_ = std::move(fd);
    return true;
}

void SerialPort::Close() {
    if (!fd_.Valid()) {
        return;
    }
    DropDtr();
    Purge();
    fd_.Reset();
}

const char* SerialPort::Unsupported(const SerialParameters& parameters) {
    if (parameters.stopBits == SerialStopBits::OneAndHalf) {
        return "1.5 stop bits are not available on this system's serial ports";
    }
    if (parameters.dsrDtr) {
        return "DSR/DTR flow control is not available on this system's serial ports";
    }
    if (parameters.dataBits != 7 && parameters.dataBits != 8) {
        return "Only 7 or 8 data bits are available";
    }
    if (parameters.baudRate == 0) {
        return "The baud rate must not be 0";
    }
    return nullptr;
}

bool SerialPort::Configure(const SerialParameters& parameters) {
    if (Unsupported(parameters) != nullptr) {
        SetSystemError(EINVAL);
        return false;
    }
    termios2 settings{};
    if (::ioctl(fd_.Get(), TCGETS2, &settings) != 0) {
        return Fail();
    }
    MakeRaw(settings);

    settings.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = parameters.baudRate;
    settings.c_ospeed = parameters.baudRate;

    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE);
    settings.c_cflag |= parameters.dataBits == 7 ? CS7 : CS8;

    settings.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD | CMSPAR);
    switch (parameters.parity) {
        case SerialParity::None:
            break;
        case SerialParity::Odd:
            settings.c_cflag |= PARENB | PARODD;
            break;
        case SerialParity::Even:
            settings.c_cflag |= PARENB;
            break;
        case SerialParity::Mark:
            settings.c_cflag |= PARENB | CMSPAR | PARODD;
            break;
        case SerialParity::Space:
            settings.c_cflag |= PARENB | CMSPAR;
            break;
    }
    if (parameters.parity != SerialParity::None) {
        // A byte with a parity error arrives as 0, which makes its line fail the printable test.
        settings.c_iflag |= INPCK;
    }

    if (parameters.stopBits == SerialStopBits::Two) {
        settings.c_cflag |= CSTOPB;
    } else {
        settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
    }

    if (parameters.rtsCts) {
        settings.c_cflag |= CRTSCTS;
    } else {
        settings.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    }
    if (parameters.xonXoff) {
        settings.c_iflag |= IXON | IXOFF;
    }
    settings.c_cc[VSTART] = kXonChar;
    settings.c_cc[VSTOP] = kXoffChar;

    if (::ioctl(fd_.Get(), TCSETS2, &settings) != 0) {
        return Fail();
    }
    return true;
}

bool SerialPort::ReadParameters(SerialParameters& parameters) const {
    termios2 settings{};
    if (::ioctl(fd_.Get(), TCGETS2, &settings) != 0) {
        return Fail();
    }
    parameters.baudRate = settings.c_ospeed;
    parameters.dataBits = (settings.c_cflag & CSIZE) == CS7 ? 7 : 8;
    if ((settings.c_cflag & PARENB) == 0) {
        parameters.parity = SerialParity::None;
    } else if ((settings.c_cflag & CMSPAR) != 0) {
        parameters.parity =
            (settings.c_cflag & PARODD) != 0 ? SerialParity::Mark : SerialParity::Space;
    } else {
        parameters.parity =
            (settings.c_cflag & PARODD) != 0 ? SerialParity::Odd : SerialParity::Even;
    }
    parameters.stopBits =
        (settings.c_cflag & CSTOPB) != 0 ? SerialStopBits::Two : SerialStopBits::One;
    parameters.rtsCts = (settings.c_cflag & CRTSCTS) != 0;
    parameters.xonXoff = (settings.c_iflag & (IXON | IXOFF)) == (IXON | IXOFF) &&
                         settings.c_cc[VSTART] == kXonChar && settings.c_cc[VSTOP] == kXoffChar;
    parameters.dsrDtr = false;
    return true;
}

bool SerialPort::SetModemLine(bool raise) {
    int line = TIOCM_DTR;
    if (::ioctl(fd_.Get(), raise ? TIOCMBIS : TIOCMBIC, &line) == 0) {
        return true;
    }
    // A pseudo-terminal has no modem lines: nothing to raise, nothing wrong.
    if (errno == ENOTTY || errno == EINVAL) {
        return true;
    }
    return Fail();
}

bool SerialPort::RaiseDtr() {
    return SetModemLine(true);
}

bool SerialPort::DropDtr() {
    return SetModemLine(false);
}

bool SerialPort::Purge() {
    if (::ioctl(fd_.Get(), TCFLSH, TCIOFLUSH) != 0) {
        return Fail();
    }
    return true;
}

long SerialPort::QueuedInput() const {
    int queued = 0;
    if (::ioctl(fd_.Get(), FIONREAD, &queued) != 0) {
        SetSystemErrorFromErrno();
        return -1;
    }
    return queued;
}

long SerialPort::Read(void* bytes, std::size_t capacity) {
    for (;;) {
        const ssize_t count = ::read(fd_.Get(), bytes, capacity);
        if (count >= 0) {
            return static_cast<long>(count);
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return 0;
        }
        SetSystemErrorFromErrno();
        return -1;
    }
}

bool SerialPort::Write(const void* bytes, std::size_t count, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    const auto* next = static_cast<const unsigned char*>(bytes);
    std::size_t left = count;
    while (left > 0) {
        const ssize_t written = ::write(fd_.Get(), next, left);
        if (written > 0) {
            next += written;
            left -= static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            return Fail();
        }
        // The driver's output queue is full: wait until it takes more, up to the time-out.
        const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (remaining.count() <= 0) {
            SetSystemError(ETIMEDOUT);
            return false;
        }
        pollfd writable{fd_.Get(), POLLOUT, 0};
        const int ready = ::poll(&writable, 1, static_cast<int>(remaining.count()));
        if (ready < 0 && errno != EINTR) {
            return Fail();
        }
        if (ready > 0 && (writable.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            SetSystemError(EIO);
            return false;
        }
    }
    return true;
}

}  // namespace orbex
