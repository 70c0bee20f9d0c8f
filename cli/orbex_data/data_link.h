// The receiver link of a headless transfer: one ReceiverLink with a line queue of its own,
// whose every line goes on to the transfer line queue the worker reads, as the main window
// hands each line to an open data-transfer window: a forwarding thread plays the main window's
// part. The worker runs on the thread that owns the link and writes to the receiver directly.
#pragma once

#include <string>
#include <string_view>
#include <thread>

#include "link/line_queue.h"
#include "link/port_settings.h"
#include "link/receiver_link.h"
#include "platform/event.h"
#include "tools/common/transfer_line_queue.h"
#include "tools/transfer/transfer_session.h"

namespace orbex {

class DataLink {
  public:
    DataLink();
    ~DataLink();
    DataLink(const DataLink&) = delete;
    DataLink& operator=(const DataLink&) = delete;

    // Opens the port with the settings (the link shows its own message on failure).
    bool Open(const PortSettings& settings);
    void Close();

    TransferLineQueue& queue() { return transferQueue_; }
    // A session whose sends go to the link.
    TransferSession Session();
    bool Send(std::string_view bytes);

  private:
    void ForwardLines();

    LineQueue received_;
    TransferLineQueue transferQueue_;
    Event linesQueued_{Event::Reset::Auto};  // the link's notice: its queue went from 0 to 1
    Event stopForwarding_{Event::Reset::Manual};
    std::thread forwarder_;
    ReceiverLink link_;
};

// Makes a --port value a port index: a device path goes first in the port list (through
// ORBEX_SERIAL_PORTS, as Orbex's own list takes it). False with a reason for a bad index.
bool ResolvePort(const std::string& port, PortSettings& settings, std::string& error);

}  // namespace orbex
