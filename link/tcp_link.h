// A receiver behind a serial device server, reached as a raw TCP stream (tcp://HOST:PORT):
// the server's bytes are the receiver's, framed as a serial port's. An address that cannot be
// reached fails Open as a port that cannot be opened; a connection the server resets or closes
// is lost and tried again every 500 ms, as an unplugged port is. TCP keep-alive notices a dead
// peer (a server switched off, a cable pulled) within 30 s.
//
// The line settings belong to the server's port: a raw stream has no way to set them, so they
// are kept and not used.
#pragma once

#include <chrono>
#include <string>

#include "link/network_address.h"
#include "link/socket_link.h"

namespace orbex {

class TcpLink : public SocketLink {
  public:
    TcpLink(LineQueue& queue, NetworkAddress address);
    ~TcpLink() override;

    std::string Describe() const override { return address_.Text(); }

  protected:
    bool OpenStream(const SerialParameters& parameters, bool reconnect) override;

    // Connects within `limit` (cut short by Close); false with the system error set.
    bool Connect(std::chrono::milliseconds limit);
    const NetworkAddress& address() const { return address_; }

  private:
    NetworkAddress address_;
};

}  // namespace orbex
