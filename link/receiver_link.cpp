#include "link/receiver_link.h"

#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <string>
#include <string_view>
#include <system_error>

#include "link/line_framing.h"
#include "link/line_hook.h"
#include "link/line_queue.h"
#include "link/port_list.h"
#include "link/replay_lines.h"
#include "platform/message_box.h"
#include "platform/system_error.h"
#include "platform/window_messages.h"

namespace orbex {

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kStartDelay(200);
constexpr milliseconds kIdlePoll(50);
constexpr milliseconds kLostPortPoll(1000);
constexpr milliseconds kReplayPacing(1);
constexpr milliseconds kWriteTimeout(1000);

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

bool ToSerialParameters(const PortSettings& settings, SerialParameters& parameters) {
    const bool inRange = settings.speed >= 0 &&
                         settings.speed < static_cast<std::int32_t>(kBaudRates.size()) &&
                         settings.stopBits >= 0 && settings.stopBits <= 2 && settings.parity >= 0 &&
                         settings.parity <= 4 && settings.dataBits >= 0 &&
                         settings.dataBits < static_cast<std::int32_t>(kDataBitValues.size());
    if (!inRange) {
        return false;
    }
    parameters.baudRate = kBaudRates[static_cast<std::size_t>(settings.speed)];
    parameters.dataBits = kDataBitValues[static_cast<std::size_t>(settings.dataBits)];
    parameters.parity = static_cast<SerialParity>(settings.parity);
    parameters.stopBits = static_cast<SerialStopBits>(settings.stopBits);
    parameters.dsrDtr = settings.flowDsr != 0;
    parameters.rtsCts = settings.flowRts != 0;
    parameters.xonXoff = settings.flowXon != 0;
    return true;
}

}  // namespace

ReceiverLink::ReceiverLink() : ReceiverLink(SharedLineQueue()) {}

ReceiverLink::ReceiverLink(LineQueue& queue) : queue_(queue) {}

ReceiverLink::~ReceiverLink() {
    Close();
}

bool ReceiverLink::Open(OwnerPost owner, const PortSettings& settings, const char* replayPath) {
    if (readerThread_.joinable()) {
        return false;
    }
    owner_ = std::move(owner);
    replay_ = replayPath != nullptr && *replayPath != '\0';
    try {
        receiveBuffer_ = std::make_unique<LineFramer>();
        stopEvent_ = std::make_unique<Event>(Event::Reset::Manual);
    } catch (const std::bad_alloc&) {
        SetSystemError(kErrorNotEnoughMemory);
        return FailOpen();
    }
    if (!(replay_ ? OpenReplay(replayPath) : OpenSerial(settings))) {
        return FailOpen();
    }
    try {
        readerThread_ = std::thread([this] {
            RaiseReaderPriority();
            if (replay_) {
                ReplayReader();
            } else {
                SerialReader();
            }
        });
    } catch (const std::system_error& error) {
        SetSystemError(error.code().value());
        return FailOpen();
    }
    return true;
}

bool ReceiverLink::OpenSerial(const PortSettings& settings) {
    // An index past the end gives an empty name, which fails to open like a missing device.
    const std::string name = PortNameAt(settings.portIndex);
    return port_.Open(name) && port_.Purge() && ApplyPortSettings(settings) && port_.RaiseDtr();
}

bool ReceiverLink::OpenReplay(const char* path) {
    // Opened for reading and writing, as the link always has opened recordings: a file that
    // cannot be written fails the same way as a missing one.
    replayFile_.Reset(::open(path, O_RDWR | O_CLOEXEC));
    if (!replayFile_.Valid()) {
        SetSystemErrorFromErrno();
        return false;
    }
    return true;
}

bool ReceiverLink::FailOpen() {
    const int code = SystemError();
    Release();
    ShowMessageBox(FormatText("COM Port Initialization Error\nError Code:%d", code));
    SetSystemError(code);
    return false;
}

void ReceiverLink::Close() {
    if (!readerThread_.joinable()) {
        return;
    }
    // The reader ends at its next look at the stop event; the port and file stay open until
    // it has ended, because it is still using them.
    stopEvent_->Set();
    readerThread_.join();
    Release();
}

void ReceiverLink::Release() {
    port_.Close();  // drops DTR and discards both queues first
    replayFile_.Reset();
    stopEvent_.reset();
    receiveBuffer_.reset();
}

bool ReceiverLink::Write(const void* bytes, std::size_t count) {
    if (replay_ && readerThread_.joinable()) {
        return true;
    }
    if (!port_.IsOpen()) {
        SetSystemError(EBADF);
        return false;
    }
    if (port_.Write(bytes, count, kWriteTimeout)) {
        return true;
    }
    const int code = SystemError();
    ShowMessageBox(FormatText("Communication Error %d", code));
    SetSystemError(code);
    return false;
}

bool ReceiverLink::WriteLine(const char* text) {
    std::string line;
    try {
        if (text != nullptr) {
            line.append(text);
        }
        line.append("\r\n");
    } catch (const std::bad_alloc&) {
        ShowMessageBox("Not enough memory", {}, MessageIcon::Error);
        SetSystemError(kErrorNotEnoughMemory);
        return false;
    }
    return Write(line.data(), line.size());
}

unsigned ReceiverLink::PendingInputCount() const {
    if (!readerThread_.joinable() || replay_) {
        return 0;
    }
    return static_cast<unsigned>(std::max(port_.QueuedInput(), 0L));
}

bool ReceiverLink::ApplyPortSettings(const PortSettings& settings) {
    SerialParameters parameters;
    if (!ToSerialParameters(settings, parameters)) {
        SetSystemError(EINVAL);
        return false;
    }
    if (const char* refusal = SerialPort::Unsupported(parameters)) {
        ShowMessageBox(refusal, {}, MessageIcon::Error);
        SetSystemError(EINVAL);
        return false;
    }
    if (!port_.IsOpen()) {
        SetSystemError(EBADF);
        return false;
    }
    return port_.Configure(parameters);
}

void ReceiverLink::SerialReader() {
    // Give the receiver's first bytes time to arrive; a Close meanwhile ends the thread.
    if (stopEvent_->Wait(kStartDelay)) {
        return;
    }
    const LineFramer::LineHandler handleLine = [this](const char* line, std::size_t length) {
        HandleSerialLine(line, length);
    };
    milliseconds poll = kIdlePoll;
    bool lossReported = false;
    // Waits on the stop event between reads: the only way this thread is asked to end.
    while (!stopEvent_->Wait(poll)) {
        for (;;) {
            // Only what is already queued is read, so the read never blocks.
            const long queued = port_.QueuedInput();
            long count = queued;
            if (queued > 0) {
                const auto wanted =
                    std::min(static_cast<std::size_t>(queued), receiveBuffer_->Space());
                count = port_.Read(receiveBuffer_->WritePosition(), wanted);
            }
            if (count < 0) {
                // The device failed or went away (an unplugged adapter, a hung-up line):
                // say so once, then look again only slowly instead of spinning on it.
                if (!lossReported) {
                    ShowMessageBox(FormatText("Communication Error %d", SystemError()));
                    lossReported = true;
                }
                poll = kLostPortPoll;
                break;
            }
            lossReported = false;
            poll = kIdlePoll;
            if (count == 0 || !receiveBuffer_->Take(static_cast<std::size_t>(count), handleLine)) {
                break;
            }
        }
    }
}

void ReceiverLink::HandleSerialLine(const char* line, std::size_t length) const {
    ConsoleLogHook().Call(line, length);
    if (IsPrintableLine(line, length)) {
        queue_.Push(std::string(line, length), owner_);
    }
}

void ReceiverLink::ReplayReader() {
    if (stopEvent_->IsSet()) {
        return;
    }
    ReplayLineReader reader(replayFile_.Get());
    std::string_view line;
    for (;;) {
        const ReplayLineReader::Result result = reader.Next(line);
        if (result != ReplayLineReader::Result::Line) {
            if (result == ReplayLineReader::Result::EndOfFile) {
                ShowMessageBox("End of file");
            } else {
                ShowMessageBox(FormatText("Communication Error %d", SystemError()));
            }
            if (owner_) {
                owner_(UWM_REPLAY_END, 0, 0);
            }
            return;
        }
        ReplayRecordHook().Call(line.data(), line.size());
        queue_.Push(std::string(line), owner_);
        // The pacing sleep doubles as the look at the stop event.
        if (stopEvent_->Wait(kReplayPacing)) {
            return;
        }
    }
}

}  // namespace orbex
