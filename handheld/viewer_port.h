// The one serial port the viewer reads: opened exclusively at 4800 baud, 8 data bits, no
// parity, one stop bit, never blocking.
#pragma once

#include <cstddef>
#include <string>

#include "platform/serial_port.h"

namespace orbexce {

class ViewerPort {
  public:
    // Closes the port held open, if any, then opens `path` and applies 4800 8N1. False (port
    // closed) when the device cannot be opened or takes no such settings.
    bool Open(const std::string& path);
    void Close() { port_.Close(); }
    bool IsOpen() const { return port_.IsOpen(); }

    // Bytes waiting in the driver, or -1 when the port's state cannot be queried.
    long Queued() const { return port_.QueuedInput(); }
    // Discards what the driver has received and not yet handed over.
    void DiscardInput();
    // At most `capacity` of the queued bytes; 0 when none, -1 on failure.
    long Read(char* bytes, std::size_t capacity) { return port_.Read(bytes, capacity); }
    bool Write(const std::string& bytes);

  private:
    orbex::SerialPort port_;
};

}  // namespace orbexce
