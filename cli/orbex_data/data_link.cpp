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
    const std::string name = PortNamed(port, error);
    if (name.empty()) {
        return false;
    }
    ListPortsFirst({name});
    settings.portIndex = 0;
    return true;
}

}  // namespace orbex
