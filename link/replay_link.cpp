#include "link/replay_link.h"

#include <fcntl.h>

#include <cerrno>
#include <string_view>
#include <system_error>

#include "link/line_hook.h"
#include "link/replay_lines.h"
#include "platform/system_error.h"
#include "platform/window_messages.h"

namespace orbex {

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kReplayPacing(1);

}  // namespace

ReplayLink::ReplayLink(std::string path) : path_(std::move(path)) {}

ReplayLink::ReplayLink(LineQueue& queue, std::string path)
    : ReceiverLink(queue), path_(std::move(path)) {}

ReplayLink::~ReplayLink() {
    Close();
}

bool ReplayLink::Open(OwnerPost owner, const PortSettings&) {
    if (readerThread_.joinable()) {
        return false;
    }
    owner_ = std::move(owner);
    int code = 0;
    try {
        stopEvent_ = std::make_unique<PollEvent>();
        // Opened for reading and writing, as the link always has opened recordings: a file
        // that cannot be written fails the same way as a missing one.
        file_.Reset(::open(path_.c_str(), O_RDWR | O_CLOEXEC));
        if (!file_.Valid()) {
            code = errno;
        } else {
            readerThread_ = std::thread([this] { Reader(); });
            return true;
        }
    } catch (const std::system_error& error) {
        code = error.code().value();
    } catch (const std::bad_alloc&) {
        code = kErrorNotEnoughMemory;
    }
    file_.Reset();
    stopEvent_.reset();
    ReportError(FormatText("COM Port Initialization Error\nError Code:%d", code));
    SetSystemError(code);
    return false;
}

void ReplayLink::Close() {
    if (!readerThread_.joinable()) {
        return;
    }
    stopEvent_->Set();
    readerThread_.join();
    file_.Reset();
    stopEvent_.reset();
}

bool ReplayLink::Write(const void*, std::size_t) {
    if (readerThread_.joinable()) {
        return true;
    }
    SetSystemError(EBADF);
    return false;
}

void ReplayLink::Reader() {
    if (stopEvent_->IsSet()) {
        return;
    }
    ReplayLineReader reader(file_.Get());
    ReplayPacer pacer(pace_);
    std::string_view line;
    for (;;) {
        const ReplayLineReader::Result result = reader.Next(line);
        if (result != ReplayLineReader::Result::Line) {
            if (result == ReplayLineReader::Result::EndOfFile) {
                ReportError("End of file");
            } else {
                ReportError(FormatText("Communication Error %d", SystemError()));
            }
            Notify(UWM_REPLAY_END);
            return;
        }
        // Played as recorded, a line of a later epoch waits for its time; the wait is on the
        // stop event, so that Close ends it at once.
        if (const auto due = pacer.DueTime(line, ReplayPacer::Clock::now())) {
            const auto wait = std::chrono::ceil<milliseconds>(*due - ReplayPacer::Clock::now());
            if (wait.count() > 0 && stopEvent_->Wait(wait)) {
                return;
            }
        }
        ReplayRecordHook().Call(line.data(), line.size());
        QueueLine(std::string(line));
        // The pacing sleep doubles as the look at the stop event.
        if (stopEvent_->Wait(kReplayPacing)) {
            return;
        }
    }
}

}  // namespace orbex
