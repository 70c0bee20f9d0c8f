// Makes the link a port name names: tcp://HOST:PORT a TCP link, rfc2217://HOST:PORT an RFC
// 2217 link, anything else a serial port at that path; an empty name the serial port at the
// settings' portIndex of the port list.
#pragma once

#include <memory>
#include <string>

#include "link/receiver_link.h"

namespace orbex {

class LineQueue;

// Null, with `error` saying why, when a network address is malformed.
std::unique_ptr<ReceiverLink> MakeReceiverLink(LineQueue& queue, const std::string& portName,
                                               std::string& error);

}  // namespace orbex
