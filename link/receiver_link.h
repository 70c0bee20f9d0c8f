// The one connection to the receiver, whatever carries it: a serial port, a recording replayed
// as if the receiver sent it, a raw TCP stream or an RFC 2217 session with a serial device
// server, or a scripted source in tests. Every kind frames, tests and queues what arrives
// alike; commands go the other way through Write on the owner's thread.
//
// Every kind owns a reader thread that queues lines into a line queue (the process-wide
// SharedLineQueue() unless the owner gives its own) and posts notices to the owner: the
// queue's UWM_LINE_QUEUED, UWM_LINK_LOST and UWM_LINK_RESTORED when a connection goes away
// and comes back, UWM_REPLAY_END at the end of a recording. What goes wrong is described in
// words to the owner through one error report, never shown by the link itself.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "link/owner_post.h"
#include "link/port_settings.h"
#include "platform/message_box.h"

namespace orbex {

class LineQueue;

class ReceiverLink {
  public:
    // How the link's failures reach the owner: the text (the fixed texts "COM Port
    // Initialization Error\nError Code:%d", "Communication Error %d", "End of file", or words
    // of the link's own) and the icon a message box would carry. Called on the owner's thread
    // or the reader thread; it must not call back into the link.
    using ErrorReport = std::function<void(const std::string& text, MessageIcon icon)>;

    ReceiverLink();
    // A link that fills `queue`, which must outlive it.
    explicit ReceiverLink(LineQueue& queue);
    ReceiverLink(const ReceiverLink&) = delete;
    ReceiverLink& operator=(const ReceiverLink&) = delete;
    virtual ~ReceiverLink() = default;

    // Opens the link and starts its reader thread. False at once, with no report, when a
    // reader thread exists already; any other failure reports "COM Port Initialization
    // Error\nError Code:%d" and leaves the link closed.
    virtual bool Open(OwnerPost owner, const PortSettings& settings) = 0;
    // Stops the reader thread (waiting for it) and releases what the link holds.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Sends bytes to the receiver; a failure is reported and returns false.
    virtual bool Write(const void* bytes, std::size_t count) = 0;
    // Sends the text followed by CR LF.
    bool WriteLine(const char* text);
    // Bytes received and not yet read by the reader; 0 without a running link.
    virtual unsigned PendingInputCount() const { return 0; }
    // Programs the line settings of the running link (or keeps them for its return).
    virtual bool ApplyPortSettings(const PortSettings& settings) = 0;

    virtual bool replay() const { return false; }
    // False from the moment the reader finds the connection gone until it is back.
    virtual bool DeviceConnected() const { return IsOpen(); }
    // How often the connection came back since Open.
    virtual unsigned ReconnectCount() const { return 0; }
    // What the link is connected to, as a user names it: a device path, tcp://HOST:PORT,
    // rfc2217://HOST:PORT or the recording's path.
    virtual std::string Describe() const = 0;

    // Replaces the error report; without one, failures are shown with ShowMessageBox.
    void SetErrorReport(ErrorReport report) { errorReport_ = std::move(report); }

  protected:
    void ReportError(const std::string& text, MessageIcon icon = MessageIcon::None) const;
    void Notify(unsigned message) const;
    // Queues a received line, posting the queue's notice to the owner.
    void QueueLine(std::string line) const;

    LineQueue& queue_;
    OwnerPost owner_;  // set by Open before the reader starts, read by the reader

  private:
    ErrorReport errorReport_;
};

// Converts the indices of a settings record into line parameters; false when one is out of
// range.
struct SerialParameters;
bool ToSerialParameters(const PortSettings& settings, SerialParameters& parameters);

}  // namespace orbex
