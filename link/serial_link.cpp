#include "link/serial_link.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

#include "link/port_list.h"
#include "platform/system_error.h"

namespace orbex {

SerialLink::SerialLink() = default;

SerialLink::SerialLink(LineQueue& queue) : StreamLink(queue) {}

SerialLink::SerialLink(LineQueue& queue, std::string path)
    : StreamLink(queue), fixedPath_(true), portName_(std::move(path)) {}

SerialLink::~SerialLink() {
    Close();
}

bool SerialLink::Resolve(const PortSettings& settings) {
    // An index past the end gives an empty name, which fails to open like a missing device.
    // The name, not the index, is kept: a device that comes back is looked for by its path,
    // whatever the port list holds by then.
    if (!fixedPath_) {
        portName_ = PortNameAt(settings.portIndex);
    }
    return true;
}

bool SerialLink::OpenStream(const SerialParameters& parameters, bool) {
    return port_.Open(portName_) && port_.Purge() && port_.Configure(parameters) &&
           port_.RaiseDtr();
}

long SerialLink::ReadStream(char* bytes, std::size_t capacity, short revents) {
    const long queued = port_.QueuedInput();
    if (queued < 0) {
        return -1;  // a hung-up tty refuses even this question
    }
    if (queued == 0) {
        // Woken with nothing to read: a hang-up (a pseudo-terminal whose other side closed),
        // an error, or nothing at all.
        if ((revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            SetSystemError(EIO);
            return -1;
        }
        return 0;
    }
    return port_.Read(bytes, std::min(static_cast<std::size_t>(queued), capacity));
}

bool SerialLink::WriteStream(const void* bytes, std::size_t count) {
    return port_.Write(bytes, count, kWriteTimeout);
}

bool SerialLink::IsGone(int code) const {
    return code == EIO || code == ENXIO || code == ENODEV;
}

}  // namespace orbex
