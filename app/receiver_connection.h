// The main window's connection: the receiver session on the shared line queue (a serial port or
// a network address, or a recording replayed when a replay file is set), opened by Connect and
// closed by Disconnect, the end of a replay and exit. Every link is tagged with a generation so
// that a late end-of-replay notice of an old link cannot end its successor. A recording that is the
// data-stream log being written is refused: replaying it would read its own appended lines until
// the disk is full.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "link/port_settings.h"
#include "link/receiver_session.h"
#include "link/replay_pace.h"

namespace orbex {

class DataLog;
class LineDecoder;

class ReceiverConnection {
  public:
    // `decoder` is the one the received lines go through; both outlive the connection.
    ReceiverConnection(DataLog& dataLog, LineDecoder& decoder);
    ~ReceiverConnection();
    ReceiverConnection(const ReceiverConnection&) = delete;
    ReceiverConnection& operator=(const ReceiverConnection&) = delete;

    // Clears the decoder's position samples, deletes an open link, stores CONNECT = 1 and opens a
    // new link (the failure is reported to the user). True when a link is open afterwards.
    bool Connect();
    // Deletes the link (its reader thread stops first). False when none was open.
    bool Disconnect();
    // The end-of-replay notice with its generation (0: any link): true when it ends this link.
    bool IsCurrentReplayEnd(std::intptr_t generation) const;

    // Programs the open port; true without a link.
    bool ApplyPortSettings(const PortSettings& settings);
    // UWM_SEND_TO_RECEIVER and UWM_QUERY_INPUT_COUNT; 0 without a link.
    std::intptr_t Send(const void* bytes, std::size_t count);
    std::intptr_t PendingInputCount() const;

    bool connected() const { return session_.IsOpen(); }
    // Connected to what, lost since when, replaying what: for the status line.
    LinkStatus Status() const { return session_.Status(); }
    const QString& replayPath() const { return replayPath_; }
    void SetReplayPath(const QString& path) { replayPath_ = path; }
    // How Connect replays: the designed 1 ms a line unless the port dialog chose otherwise.
    ReplayPace replayPace() const { return replayPace_; }
    void SetReplayPace(ReplayPace pace) { replayPace_ = pace; }

  private:
    bool RefuseOwnLog(const std::string& replay) const;

    DataLog& dataLog_;
    LineDecoder& decoder_;
    ReceiverSession session_;
    std::intptr_t generation_ = 0;
    QString replayPath_;
    ReplayPace replayPace_ = ReplayPace::Fast;
};

}  // namespace orbex
