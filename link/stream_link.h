// What the links over a byte stream share (a serial port, a TCP connection, an RFC 2217
// session): a reader thread that sleeps on the stream and the stop event, frames what arrives
// into lines, hands each line to the console log and queues the printable ones. When the
// stream fails or the other side goes away, the reader says so once, posts UWM_LINK_LOST, and
// opens the same stream again every 500 ms with the same settings; when it is back it posts
// UWM_LINK_RESTORED and lines flow as before.
//
// A kind supplies the stream's operations; the reader and the owner's calls are sequenced
// here.
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "link/line_framing.h"
#include "link/receiver_link.h"
#include "platform/poll_event.h"
#include "platform/serial_port.h"

namespace orbex {

class StreamLink : public ReceiverLink {
  public:
    using ReceiverLink::ReceiverLink;
    // Kinds call Close() in their destructors: the reader uses their stream.
    ~StreamLink() override = default;

    bool Open(OwnerPost owner, const PortSettings& settings) override;
    void Close() override;
    bool IsOpen() const override { return readerThread_.joinable(); }
    bool Write(const void* bytes, std::size_t count) override;
    unsigned PendingInputCount() const override;
    bool ApplyPortSettings(const PortSettings& settings) override;
    bool DeviceConnected() const override { return deviceConnected_.load(); }
    unsigned ReconnectCount() const override { return reconnects_.load(); }

  protected:
    static constexpr std::chrono::milliseconds kWriteTimeout{1000};

    // The stream's operations. OpenStream, CloseStream and ConfigureStream run under the
    // stream lock; the others as noted.
    // Chooses what to open from the settings (at Open only); false with the system error set.
    virtual bool Resolve(const PortSettings& settings) = 0;
    // Opens the stream and programs it with `parameters`; `reconnect` is false at Open.
    virtual bool OpenStream(const SerialParameters& parameters, bool reconnect) = 0;
    virtual void CloseStream() = 0;
    virtual bool StreamOpen() const = 0;
    virtual int Descriptor() const = 0;
    // Reader thread: reads at most `capacity` data bytes without blocking. The count read
    // (0 when nothing is waiting), or -1 when the stream has failed or ended (system error set).
    virtual long ReadStream(char* bytes, std::size_t capacity, short revents) = 0;
    // Owner's thread, under the stream lock.
    virtual bool WriteStream(const void* bytes, std::size_t count) = 0;
    virtual long QueuedInput() const = 0;
    // Settings this kind cannot make, in words, or nullptr.
    virtual const char* Unsupported(const SerialParameters& parameters) const = 0;
    virtual bool ConfigureStream(const SerialParameters& parameters) = 0;
    // An error code that means the stream has just gone away (not worth a report per write).
    virtual bool IsGone(int code) const = 0;

    // For kinds that negotiate while opening: lines that arrive meanwhile are handled as the
    // reader handles them.
    void TakeReceived(const char* bytes, std::size_t count);
    // The stop event, for waits that Close must be able to cut short (never null while open).
    const PollEvent* stopEvent() const { return stopEvent_.get(); }
    // Serialises the owner's use of the stream against the reader's reopening; a kind's reader
    // takes it to write replies of its own.
    std::mutex& streamMutex() const { return streamMutex_; }

  private:
    bool FailOpen();
    void Release();
    void Reader();
    bool ReadAvailable(short revents);
    void LoseStream();
    bool Reopen();
    void HandleLine(const char* line, std::size_t length) const;

    std::unique_ptr<PollEvent> stopEvent_;  // manual reset; signalled once to end the reader
    // The reader closes and reopens the stream when it goes away and comes back; the owner's
    // thread writes to it and programs it. The lock keeps the stream and the settings steady
    // for the owner's calls; the reader takes it only to close or reopen.
    mutable std::mutex streamMutex_;
    SerialParameters parameters_;  // the settings last programmed, made again on reopening
    std::atomic<bool> deviceConnected_{false};
    std::atomic<unsigned> reconnects_{0};
    std::unique_ptr<LineFramer> receiveBuffer_;
    std::thread readerThread_;
};

}  // namespace orbex
