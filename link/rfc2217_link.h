// A receiver behind a serial device server that speaks Telnet COM Port Control
// (rfc2217://HOST:PORT): the TCP link, with the Telnet layer taken off what arrives, 0xFF
// doubled in what is sent, and the server's port programmed from the port settings at Open,
// after every reconnect and on a live change.
//
// Each answer is waited for a bounded time and the link goes on without it: servers differ in
// what they acknowledge. A server that refuses the COM port option (or never answers) is
// reported in words, and its bytes are still read as the receiver's.
#pragma once

#include <atomic>
#include <string>

#include "link/com_port_negotiation.h"
#include "link/tcp_link.h"

namespace orbex {

class Rfc2217Link : public TcpLink {
  public:
    using TcpLink::TcpLink;
    ~Rfc2217Link() override;

    // Whether the server took the COM port option at the last (re)connect.
    bool ComPortAccepted() const { return comPortAccepted_.load(); }

  protected:
    bool OpenStream(const SerialParameters& parameters, bool reconnect) override;
    long ReadStream(char* bytes, std::size_t capacity, short revents) override;
    bool WriteStream(const void* bytes, std::size_t count) override;
    bool ConfigureStream(const SerialParameters& parameters) override;

  private:
    // Reads and answers the server until `done` holds or `limit` passes without progress.
    template <typename Done>
    void Negotiate(std::chrono::milliseconds limit, Done done);
    // Data bytes of a read, with the server's answers sent; -1 when the stream failed.
    long ReadAndAnswer(char* bytes, std::size_t capacity, bool locked);

    ComPortNegotiation negotiation_;  // reader's (or the opener's before the reader runs)
    std::atomic<bool> comPortAccepted_{false};
    bool refusalReported_ = false;
};

}  // namespace orbex
