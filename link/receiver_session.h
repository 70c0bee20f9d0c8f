// One receiver as a program sees it: the link (of whatever kind the port name says), the line
// queue it fills, and the send service through which worker threads reach it. Orbex's main
// window, orbex-dump, orbex-data and each receiver of orbex-ttff hold one.
//
// The owner's post gets every notice of the link (UWM_LINE_QUEUED, UWM_LINK_LOST,
// UWM_LINK_RESTORED, UWM_REPLAY_END) and UWM_SENDS_QUEUED when a worker waits to send; the
// session keeps the link's state for a status line.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "link/line_queue.h"
#include "link/receiver_link.h"
#include "link/replay_pace.h"
#include "link/send_service.h"
#include "platform/event.h"

namespace orbex {

struct LinkStatus {
    enum class State { Closed, Connected, Lost, Replaying };
    State state = State::Closed;
    std::string target;  // what the link is connected to, as a user names it
    // Since when the link is in this state (the last loss, the last connect).
    std::chrono::system_clock::time_point since;
};

class ReceiverSession {
  public:
    // A session with a line queue of its own.
    ReceiverSession();
    // A session that fills `queue` (the main window's shared queue), which must outlive it.
    explicit ReceiverSession(LineQueue& queue);
    ~ReceiverSession();
    ReceiverSession(const ReceiverSession&) = delete;
    ReceiverSession& operator=(const ReceiverSession&) = delete;

    // Where the link's failures go; ShowMessageBox unless set. Set before Open.
    void SetErrorReport(ReceiverLink::ErrorReport report) { errorReport_ = std::move(report); }
    void SetReplayPace(ReplayPace pace) { replayPace_ = pace; }
    // Hands every line to `sink` on a thread of the session's instead of leaving it queued
    // (for an owner whose own thread runs a worker). Set before Open.
    void ForwardLines(std::function<void(const std::string& line)> sink);

    // Closes the link that is open and opens a new one: the recording `replayPath` when it
    // is not empty, else the port `port` names (tcp://, rfc2217://, a device path; empty: the
    // settings' portIndex of the port list). The link reports its own failure.
    bool Open(OwnerPost owner, const PortSettings& settings, const std::string& port,
              const std::string& replayPath = {});
    // Opens a link made by the caller (a scripted one in tests).
    bool Open(std::unique_ptr<ReceiverLink> link, OwnerPost owner, const PortSettings& settings);
    void Close();
    bool IsOpen() const { return link_ != nullptr; }
    ReceiverLink* link() const { return link_.get(); }

    LineQueue& queue() { return queue_; }
    bool Pop(std::string& line) { return queue_.Pop(line); }

    // The owner's thread. False without a link.
    bool Write(std::string_view bytes);
    bool WriteLine(const char* text);
    unsigned PendingInputCount() const;
    // True without a link (the settings are used at the next Open).
    bool ApplyPortSettings(const PortSettings& settings);

    // A worker thread: waits until the owner has written the bytes (see SendService).
    void SendFromWorker(std::string_view bytes) { sends_.Send(bytes); }
    // The owner's thread: writes the workers' waiting sends.
    void ServeSends() { sends_.Serve(); }
    // The owner's thread, at the end: waiting and later worker sends return at once.
    void CloseSends() { sends_.Close(); }

    LinkStatus Status() const;

  private:
    OwnerPost Watch(OwnerPost owner);
    void StartForwarding();
    void StopForwarding();
    void Forward();

    std::unique_ptr<LineQueue> ownQueue_;
    LineQueue& queue_;
    ReceiverLink::ErrorReport errorReport_;
    ReplayPace replayPace_ = ReplayPace::Fast;
    OwnerPost userOwner_;  // read by the link's threads through Watch; set before Open
    SendService sends_;
    std::unique_ptr<ReceiverLink> link_;
    std::string target_;
    bool replay_ = false;
    // The link's state, set by its reader thread's notices and read by the owner's thread.
    std::atomic<bool> lost_{false};
    std::atomic<std::int64_t> sinceMs_{0};
    std::function<void(const std::string&)> sink_;
    std::unique_ptr<Event> linesQueued_;  // auto reset: the queue's notice to the forwarder
    std::unique_ptr<Event> stopForwarding_;
    std::thread forwarder_;
};

}  // namespace orbex
