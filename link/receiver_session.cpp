#include "link/receiver_session.h"

#include "link/link_factory.h"
#include "link/port_list.h"
#include "link/replay_link.h"
#include "platform/system_error.h"
#include "platform/window_messages.h"

namespace orbex {

namespace {

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace

ReceiverSession::ReceiverSession()
    : ownQueue_(std::make_unique<LineQueue>()),
      queue_(*ownQueue_),
      sends_([this](std::string_view bytes) { Write(bytes); },
             [this] {
                 if (userOwner_) {
                     userOwner_(UWM_SENDS_QUEUED, 0, 0);
                 }
             }) {}

ReceiverSession::ReceiverSession(LineQueue& queue)
    : queue_(queue),
      sends_([this](std::string_view bytes) { Write(bytes); },
             [this] {
                 if (userOwner_) {
                     userOwner_(UWM_SENDS_QUEUED, 0, 0);
                 }
             }) {}

ReceiverSession::~ReceiverSession() {
    Close();
    sends_.Close();
}

void ReceiverSession::ForwardLines(std::function<void(const std::string& line)> sink) {
    sink_ = std::move(sink);
}

bool ReceiverSession::Open(OwnerPost owner, const PortSettings& settings, const std::string& port,
                           const std::string& replayPath) {
    Close();
    std::unique_ptr<ReceiverLink> link;
    if (!replayPath.empty()) {
        auto replay = std::make_unique<ReplayLink>(queue_, replayPath);
        replay->SetReplayPace(replayPace_);
        link = std::move(replay);
    } else {
        // Without a name, the port list's entry at the index (which may be an address).
        const std::string name = port.empty() ? PortNameAt(settings.portIndex) : port;
        std::string error;
        link = MakeReceiverLink(queue_, name, error);
        if (!link) {
            // A malformed address: the user's words come back with the Part's message.
            const ReceiverLink::ErrorReport& report = errorReport_;
            const std::string text =
                FormatText("COM Port Initialization Error\nError Code:%d", EINVAL) + "\n" + error;
            if (report) {
                report(text, MessageIcon::None);
            } else {
                ShowMessageBox(text);
            }
            SetSystemError(EINVAL);
            return false;
        }
    }
    return Open(std::move(link), std::move(owner), settings);
}

bool ReceiverSession::Open(std::unique_ptr<ReceiverLink> link, OwnerPost owner,
                           const PortSettings& settings) {
    Close();
    userOwner_ = std::move(owner);
    if (errorReport_) {
        link->SetErrorReport(errorReport_);
    }
    if (sink_) {
        StartForwarding();
    }
    lost_ = false;
    if (!link->Open(Watch(userOwner_), settings)) {
        StopForwarding();
        return false;
    }
    replay_ = link->replay();
    target_ = link->Describe();
    sinceMs_ = NowMs();
    link_ = std::move(link);
    return true;
}

// The link's notices pass through here on its reader thread: the state for the status line
// is noted before the owner hears of it.
OwnerPost ReceiverSession::Watch(OwnerPost owner) {
    return [this, owner = std::move(owner)](unsigned message, std::uintptr_t wParam,
                                            std::intptr_t lParam) {
        if (message == UWM_LINK_LOST || message == UWM_LINK_RESTORED) {
            lost_ = message == UWM_LINK_LOST;
            sinceMs_ = NowMs();
        }
        if (message == UWM_LINE_QUEUED && linesQueued_) {
            linesQueued_->Set();  // the forwarder drains; the owner need not
            return;
        }
        if (owner) {
            owner(message, wParam, lParam);
        }
    };
}

void ReceiverSession::Close() {
    if (link_) {
        // Stops and joins the reader thread before anything it calls goes.
        link_->Close();
        link_.reset();
    }
    StopForwarding();
    lost_ = false;
}

void ReceiverSession::StartForwarding() {
    linesQueued_ = std::make_unique<Event>(Event::Reset::Auto);
    stopForwarding_ = std::make_unique<Event>(Event::Reset::Manual);
    forwarder_ = std::thread([this] { Forward(); });
}

void ReceiverSession::StopForwarding() {
    if (!forwarder_.joinable()) {
        return;
    }
    stopForwarding_->Set();
    forwarder_.join();
    // Lines the reader queued before it stopped still go to the sink.
    std::string line;
    while (queue_.Pop(line)) {
        sink_(line);
    }
    linesQueued_.reset();
    stopForwarding_.reset();
}

void ReceiverSession::Forward() {
    // Waits for the queue's notice or the stop; each notice drains every line queued since.
    // The hour is only a bound on each wait, not a limit on the session.
    while (Event::WaitAny(*stopForwarding_, *linesQueued_, std::chrono::hours(1)) != 0) {
        std::string line;
        while (queue_.Pop(line)) {
            sink_(line);
        }
    }
}

bool ReceiverSession::Write(std::string_view bytes) {
    return link_ && link_->Write(bytes.data(), bytes.size());
}

bool ReceiverSession::WriteLine(const char* text) {
    return link_ && link_->WriteLine(text);
}

unsigned ReceiverSession::PendingInputCount() const {
    return link_ ? link_->PendingInputCount() : 0;
}

bool ReceiverSession::ApplyPortSettings(const PortSettings& settings) {
    return !link_ || link_->ApplyPortSettings(settings);
}

LinkStatus ReceiverSession::Status() const {
    LinkStatus status;
    if (!link_) {
        return status;
    }
    status.target = target_;
    status.state = replay_ ? LinkStatus::State::Replaying
                   : lost_ ? LinkStatus::State::Lost
                           : LinkStatus::State::Connected;
    status.since =
        std::chrono::system_clock::time_point(std::chrono::milliseconds(sinceMs_.load()));
    return status;
}

}  // namespace orbex
