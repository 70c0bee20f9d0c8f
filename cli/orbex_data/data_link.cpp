#include "cli/orbex_data/data_link.h"

#include <cstdlib>

#include "link/port_list.h"
#include "platform/window_messages.h"

namespace orbex {

DataLink::DataLink() : forwarder_([this] { ForwardLines(); }), link_(received_) {}

DataLink::~DataLink() {
    Close();
    stopForwarding_.Set();
    forwarder_.join();
}

bool DataLink::Open(const PortSettings& settings) {
    // The reader thread posts under its queue's lock: the post only sets the event.
    const OwnerPost owner = [this](unsigned message, std::uintptr_t, std::intptr_t) {
        if (message == UWM_LINE_QUEUED) {
            linesQueued_.Set();
        }
    };
    return link_.Open(owner, settings);
}

void DataLink::Close() {
    link_.Close();
}

void DataLink::ForwardLines() {
    // Waits for the link's notice or the stop; each notice drains every line queued since.
    while (Event::WaitAny(stopForwarding_, linesQueued_, std::chrono::hours(1)) != 0) {
        std::string line;
        while (received_.Pop(line)) {
            transferQueue_.Append(line);
        }
    }
}

bool DataLink::Send(std::string_view bytes) {
    return link_.Write(bytes.data(), bytes.size());
}

TransferSession DataLink::Session() {
    return TransferSession{transferQueue_, [this](std::string_view bytes) { Send(bytes); }};
}

bool ResolvePort(const std::string& port, PortSettings& settings, std::string& error) {
    const bool index = !port.empty() && port.size() < 10 &&
                       port.find_first_not_of("0123456789") == std::string::npos;
    if (index) {
        const long number = std::strtol(port.c_str(), nullptr, 10);
        if (PortNameAt(static_cast<int>(number)).empty()) {
            error = "no serial port at index " + port + " (" +
                    std::to_string(EnumeratePorts().size()) + " listed)";
            return false;
        }
        settings.portIndex = static_cast<std::int32_t>(number);
        return true;
    }
    std::string list = port;
    if (const char* present = std::getenv("ORBEX_SERIAL_PORTS"); present && *present) {
        list += ':';
        list += present;
    }
    ::setenv("ORBEX_SERIAL_PORTS", list.c_str(), 1);
    settings.portIndex = 0;
    return true;
}

}  // namespace orbex
