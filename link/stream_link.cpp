#include "link/stream_link.h"

#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <system_error>

#include "link/line_framing.h"
#include "link/line_hook.h"
#include "platform/system_error.h"
#include "platform/window_messages.h"

namespace orbex {

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kStartDelay(200);
constexpr milliseconds kNoTimeLimit(-1);
// How often a vanished stream is looked for: soon enough that a replugged adapter or a
// restarted server is back within a second, rarely enough to cost nothing.
constexpr milliseconds kReopenInterval(500);

// The reader must not fall behind the receiver: ask for real-time scheduling, else a higher
// nice value. Without the privilege both fail, and the thread runs at normal priority.
void RaiseReaderPriority() {
    sched_param parameter{};
    parameter.sched_priority = sched_get_priority_min(SCHED_FIFO) + 10;
    if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &parameter) == 0) {
        return;
    }
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10);
}

}  // namespace

bool StreamLink::Open(OwnerPost owner, const PortSettings& settings) {
    if (readerThread_.joinable()) {
        return false;
    }
    owner_ = std::move(owner);
    try {
        receiveBuffer_ = std::make_unique<LineFramer>();
        stopEvent_ = std::make_unique<PollEvent>();
    } catch (const std::bad_alloc&) {
        SetSystemError(kErrorNotEnoughMemory);
        return FailOpen();
    } catch (const std::system_error& error) {
        SetSystemError(error.code().value());
        return FailOpen();
    }
    if (!Resolve(settings)) {
        return FailOpen();
    }
    SerialParameters parameters;
    if (!ToSerialParameters(settings, parameters)) {
        SetSystemError(EINVAL);
        return FailOpen();
    }
    if (const char* refusal = Unsupported(parameters)) {
        ReportError(refusal, MessageIcon::Error);
        SetSystemError(EINVAL);
        return FailOpen();
    }
    bool opened = false;
    {
        // Nothing else runs yet; the lock is the rule for every change of the stream.
        std::lock_guard<std::mutex> lock(streamMutex_);
        opened = OpenStream(parameters, false);
        parameters_ = parameters;
    }
    if (!opened) {
        return FailOpen();
    }
    deviceConnected_ = true;
    reconnects_ = 0;
    try {
        readerThread_ = std::thread([this] {
            RaiseReaderPriority();
            Reader();
        });
    } catch (const std::system_error& error) {
        SetSystemError(error.code().value());
        return FailOpen();
    }
    return true;
}

bool StreamLink::FailOpen() {
    const int code = SystemError();
    Release();
    ReportError(FormatText("COM Port Initialization Error\nError Code:%d", code));
    SetSystemError(code);
    return false;
}

void StreamLink::Close() {
    if (!readerThread_.joinable()) {
        return;
    }
    // The reader ends at its next look at the stop event; the stream stays open until it
    // has ended, because it is still using it.
    stopEvent_->Set();
    readerThread_.join();
    Release();
}

void StreamLink::Release() {
    {
        // The reader has ended (or never ran); the lock orders this against nothing but is
        // the rule for every change of the stream.
        std::lock_guard<std::mutex> lock(streamMutex_);
        CloseStream();
    }
    deviceConnected_ = false;
    stopEvent_.reset();
    receiveBuffer_.reset();
}

bool StreamLink::Write(const void* bytes, std::size_t count) {
    {
        // Keeps the reader from closing the stream under the write (at most the write
        // time-out).
        std::lock_guard<std::mutex> lock(streamMutex_);
        if (!StreamOpen()) {
            SetSystemError(EBADF);  // the stream is away: the reader has said so once
            return false;
        }
        if (WriteStream(bytes, count)) {
            return true;
        }
    }
    const int code = SystemError();
    if (IsGone(code)) {
        // The stream has just gone; the reader reports that once, not every command.
        return false;
    }
    ReportError(FormatText("Communication Error %d", code));
    SetSystemError(code);
    return false;
}

unsigned StreamLink::PendingInputCount() const {
    if (!readerThread_.joinable()) {
        return 0;
    }
    // Keeps the stream steady while the driver is asked.
    std::lock_guard<std::mutex> lock(streamMutex_);
    if (!StreamOpen()) {
        return 0;
    }
    return static_cast<unsigned>(std::max(QueuedInput(), 0L));
}

bool StreamLink::ApplyPortSettings(const PortSettings& settings) {
    SerialParameters parameters;
    if (!ToSerialParameters(settings, parameters)) {
        SetSystemError(EINVAL);
        return false;
    }
    if (const char* refusal = Unsupported(parameters)) {
        ReportError(refusal, MessageIcon::Error);
        SetSystemError(EINVAL);
        return false;
    }
    // Keeps the stream and the kept settings steady against a reopening reader.
    std::lock_guard<std::mutex> lock(streamMutex_);
    if (!StreamOpen()) {
        if (readerThread_.joinable()) {
            parameters_ = parameters;  // made when the stream comes back
            return true;
        }
        SetSystemError(EBADF);
        return false;
    }
    if (!ConfigureStream(parameters)) {
        return false;
    }
    parameters_ = parameters;
    return true;
}

void StreamLink::Reader() {
    // Give the receiver's first bytes time to arrive; a Close meanwhile ends the thread.
    if (stopEvent_->Wait(kStartDelay)) {
        return;
    }
    for (;;) {
        if (!StreamOpen()) {
            // The stream is away: look for it again now and then, until Close.
            if (stopEvent_->Wait(kReopenInterval)) {
                return;
            }
            Reopen();
            continue;
        }
        // Sleeps until bytes arrive, the stream hangs up, or Close signals the stop event.
        short revents = 0;
        const PollEvent::Woken woken =
            stopEvent_->WaitWith(Descriptor(), POLLIN, kNoTimeLimit, revents);
        if (woken == PollEvent::Woken::Event) {
            return;
        }
        if (woken == PollEvent::Woken::Descriptor && !ReadAvailable(revents)) {
            LoseStream();
        }
    }
}

// Reads what is waiting (never more, so the read never blocks) and hands on every line it
// completes. False when the stream has failed or ended.
bool StreamLink::ReadAvailable(short revents) {
    const long count =
        ReadStream(receiveBuffer_->WritePosition(), receiveBuffer_->Space(), revents);
    if (count < 0) {
        return false;
    }
    receiveBuffer_->Take(
        static_cast<std::size_t>(count),
        [this](const char* line, std::size_t length) { HandleLine(line, length); });
    return true;
}

void StreamLink::TakeReceived(const char* bytes, std::size_t count) {
    while (count > 0) {
        const std::size_t part = std::min(count, receiveBuffer_->Space());
        std::copy_n(bytes, part, receiveBuffer_->WritePosition());
        receiveBuffer_->Take(
            part, [this](const char* line, std::size_t length) { HandleLine(line, length); });
        bytes += part;
        count -= part;
    }
}

// The stream failed or went away (an unplugged adapter, a hung-up line, a server that reset
// or closed the connection): say so once, keep what was received, and close the stream so
// that it can be opened again when it returns.
void StreamLink::LoseStream() {
    const int code = SystemError();
    if (receiveBuffer_->Held() > 0) {
        // The start of a line the receiver did not finish: the console log keeps the bytes,
        // the windows get only whole lines.
        ConsoleLogHook().Call(receiveBuffer_->WritePosition() - receiveBuffer_->Held(),
                              receiveBuffer_->Held());
        receiveBuffer_->Clear();
    }
    {
        // Keeps the owner's Write and PendingInputCount off the stream while it closes.
        std::lock_guard<std::mutex> lock(streamMutex_);
        CloseStream();
    }
    deviceConnected_ = false;
    ReportError(FormatText("Communication Error %d", code));
    Notify(UWM_LINK_LOST);
}

bool StreamLink::Reopen() {
    {
        // The stream changes, and the kept settings are read, under the lock the owner's
        // calls take.
        std::lock_guard<std::mutex> lock(streamMutex_);
        if (!OpenStream(parameters_, true)) {
            CloseStream();
            return false;  // not back yet (or not usable yet): try again later, silently
        }
    }
    ++reconnects_;
    deviceConnected_ = true;
    Notify(UWM_LINK_RESTORED);
    return true;
}

void StreamLink::HandleLine(const char* line, std::size_t length) const {
    ConsoleLogHook().Call(line, length);
    if (IsPrintableLine(line, length)) {
        QueueLine(std::string(line, length));
    }
}

}  // namespace orbex
