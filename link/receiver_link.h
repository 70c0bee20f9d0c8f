// The one connection to the receiver: a serial port, or a recording replayed as if the
// receiver sent it. A reader thread cuts what arrives into lines and queues them into a line
// queue (the process-wide SharedLineQueue() unless the owner gives its own, as a program
// running one series per receiver does); commands go the other way through Write on the
// owner's thread.
//
// A serial link survives its device going away (a USB adapter pulled, a receiver's line hung
// up): the reader says so once, posts UWM_LINK_LOST, and keeps trying to open the same device
// path with the same settings; when it opens again it posts UWM_LINK_RESTORED and lines flow
// as before.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "link/owner_post.h"
#include "link/port_settings.h"
#include "link/replay_pace.h"
#include "platform/poll_event.h"
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
    // control) are refused with a message saying so. While the device is away the settings
    // are kept for its return.
    bool ApplyPortSettings(const PortSettings& settings);

    // How the next replay opened is paced; the designed 1 ms a line unless set.
    void SetReplayPace(ReplayPace pace) { replayPace_ = pace; }

    bool replay() const { return replay_; }
    bool IsOpen() const { return readerThread_.joinable(); }
    // False from the moment the reader finds the device gone until it has opened it again.
    bool DeviceConnected() const { return deviceConnected_.load(); }
    // How often the device came back since Open: a test series compares it before and after
    // a cycle to see whether the cycle spanned a reconnect.
    unsigned ReconnectCount() const { return reconnects_.load(); }

  private:
    bool OpenSerial(const PortSettings& settings);
    bool OpenReplay(const char* path);
    bool FailOpen();
    void Release();
    bool OpenDevice();
    void SerialReader();
    bool ReadQueued(short revents);
    void LoseDevice();
    bool ReopenDevice();
    void Notify(unsigned message) const;
    void ReplayReader();
    void HandleSerialLine(const char* line, std::size_t length) const;

    LineQueue& queue_;
    OwnerPost owner_;
    bool replay_ = false;
    ReplayPace replayPace_ = ReplayPace::Fast;  // read by the replay thread, set before Open
    std::unique_ptr<PollEvent> stopEvent_;      // manual reset; signalled once to end the reader
    // The reader closes and reopens the port when the device goes away and comes back; the
    // owner's thread writes to it and programs it. The lock keeps the descriptor and the
    // settings steady for the owner's calls; the reader takes it only to close or reopen.
    mutable std::mutex portMutex_;
    SerialPort port_;
    std::string portName_;         // the device path opened, reopened after a loss
    SerialParameters parameters_;  // the settings last programmed, made again on reopening
    std::atomic<bool> deviceConnected_{false};
    std::atomic<unsigned> reconnects_{0};
    UniqueFd replayFile_;
    std::unique_ptr<LineFramer> receiveBuffer_;
    std::thread readerThread_;
};

}  // namespace orbex
