// What the links over a connected socket share (a TCP connection to a serial device server, a
// test's socket pair): the socket itself, reads and writes that never block the reader, and the
// errors that mean the far end has gone. A socket carries no line settings: they belong to
// whatever is at the far end, so every setting is accepted and kept by the stream link.
#pragma once

#include "link/stream_link.h"
#include "platform/unique_fd.h"

namespace orbex {

class SocketLink : public StreamLink {
  protected:
    using StreamLink::StreamLink;

    // The address or the pair is fixed when the link is made: nothing to look up.
    bool Resolve(const PortSettings&) override { return true; }
    void CloseStream() override { socket_.Reset(); }
    bool StreamOpen() const override { return socket_.Valid(); }
    int Descriptor() const override { return socket_.Get(); }
    long ReadStream(char* bytes, std::size_t capacity, short revents) override;
    bool WriteStream(const void* bytes, std::size_t count) override;
    long QueuedInput() const override;
    const char* Unsupported(const SerialParameters&) const override { return nullptr; }
    bool ConfigureStream(const SerialParameters&) override { return true; }
    bool IsGone(int code) const override;

    // Takes a connected, non-blocking socket as the stream.
    void Adopt(UniqueFd socket) { socket_ = std::move(socket); }
    // Reads what the socket holds without waiting: the count, 0 when nothing is there, -1
    // when the connection failed or the far end closed it (system error set).
    long ReceiveRaw(char* bytes, std::size_t capacity);
    // Sends all bytes, waiting at most the write time-out for the socket to take them.
    bool SendRaw(const void* bytes, std::size_t count);

  private:
    UniqueFd socket_;
};

}  // namespace orbex
