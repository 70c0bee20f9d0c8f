// The one connection to the receiver: a serial port, or a recording replayed as if the
// receiver sent it. A reader thread cuts what arrives into lines and queues them into
// a line queue (the process-wide SharedLineQueue() unless
// the owner gives its own, as a program running one series per receiver does); commands go the other way through Write on the owner's thread.
#pragma once

#include <cstddef>
#include <memory>
#include <thread>

#include "link/owner_post.h"
#include "link/port_settings.h"
#include "platform/event.h"
#include "platform/serial_port.h"
#include "platform/unique_fd.h"

namespace orbex {

class LineFramer;
class LineQueue;

class ReceiverLink {
  public:
    ReceiverLink();
    // A link that fills `queue`, which must outlive it.
    explicit ReceiverLink(LineQueue& queue);
    ReceiverLink(const ReceiverLink&) = delete;
    ReceiverLink& operator=(const ReceiverLink&) = delete;
    virtual ~ReceiverLink();

    // Opens the port at settings.portIndex, or replays `replayPath` when given (the settings
    // are then not used; an empty path counts as none), and starts the reader thread. False at
    // once, with no message, when a reader thread exists already; any other failure shows "COM Port
    // Initialization Error\nError Code:%d" and leaves the link closed.
    bool Open(OwnerPost owner, const PortSettings& settings, const char* replayPath = nullptr);
    // Stops the reader thread (waiting for it), drops DTR and releases the port or file.
    void Close();

    // Sends bytes to the receiver, waiting at most 1000 ms for the driver to take them. True
    // in replay mode (nothing is sent); a failure shows "Communication Error %d" and is false.
    bool Write(const void* bytes, std::size_t count);
    // Sends the text followed by CR LF.
    bool WriteLine(const char* text);
    // Bytes waiting in the port driver; 0 without a running serial link.
    unsigned PendingInputCount() const;
    // Programs the open port. Settings the system cannot make (1.5 stop bits, DSR/DTR flow
    // control) are refused with a message saying so.
    bool ApplyPortSettings(const PortSettings& settings);

    bool replay() const { return replay_; }
    bool IsOpen() const { return readerThread_.joinable(); }

  private:
    bool OpenSerial(const PortSettings& settings);
    bool OpenReplay(const char* path);
    bool FailOpen();
    void Release();
    void SerialReader();
    void ReplayReader();
    void HandleSerialLine(const char* line, std::size_t length) const;

    LineQueue& queue_;
    OwnerPost owner_;
    bool replay_ = false;
    std::unique_ptr<Event> stopEvent_;  // manual reset; signalled once to end the reader
    SerialPort port_;
    UniqueFd replayFile_;
    std::unique_ptr<LineFramer> receiveBuffer_;
    std::thread readerThread_;
};

}  // namespace orbex
