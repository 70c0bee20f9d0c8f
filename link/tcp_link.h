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
#include "link/stream_link.h"
#include "platform/unique_fd.h"

namespace orbex {

class TcpLink : public StreamLink {
  public:
    TcpLink(LineQueue& queue, NetworkAddress address);
    ~TcpLink() override;

    std::string Describe() const override { return address_.Text(); }

  protected:
    bool Resolve(const PortSettings&) override { return true; }
    bool OpenStream(const SerialParameters& parameters, bool reconnect) override;
    void CloseStream() override { socket_.Reset(); }
    bool StreamOpen() const override { return socket_.Valid(); }
    int Descriptor() const override { return socket_.Get(); }
    long ReadStream(char* bytes, std::size_t capacity, short revents) override;
    bool WriteStream(const void* bytes, std::size_t count) override;
    long QueuedInput() const override;
    const char* Unsupported(const SerialParameters&) const override { return nullptr; }
    bool ConfigureStream(const SerialParameters&) override { return true; }
    bool IsGone(int code) const override;

    // Connects within `limit` (cut short by Close); false with the system error set.
    bool Connect(std::chrono::milliseconds limit);
    // Reads what the socket holds without waiting: the count, 0 when nothing is there, -1
    // when the connection failed or the server closed it (system error set).
    long ReceiveRaw(char* bytes, std::size_t capacity);
    // Sends all bytes, waiting at most the write time-out for the socket to take them.
    bool SendRaw(const void* bytes, std::size_t count);

    const NetworkAddress& address() const { return address_; }

  private:
    NetworkAddress address_;
    UniqueFd socket_;
};

}  // namespace orbex
