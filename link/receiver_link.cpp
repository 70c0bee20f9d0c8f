#include "link/receiver_link.h"

#include <fcntl.h>
#include <poll.h>
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
constexpr milliseconds kNoTimeLimit(-1);
// How often a vanished device is looked for: soon enough that a replugged adapter is back
// within a second, rarely enough to cost nothing.
constexpr milliseconds kReopenInterval(500);
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
        stopEvent_ = std::make_unique<PollEvent>();
    } catch (const std::bad_alloc&) {
        SetSystemError(kErrorNotEnoughMemory);
        return FailOpen();
    } catch (const std::system_error& error) {
        SetSystemError(error.code().value());
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
    // The name, not the index, is kept: a device that comes back is looked for by its path,
    // whatever the port list holds by then.
    portName_ = PortNameAt(settings.portIndex);
    if (!(port_.Open(portName_) && port_.Purge() && ApplyPortSettings(settings) &&
          port_.RaiseDtr())) {
        return false;
    }
    deviceConnected_ = true;
    reconnects_ = 0;
    return true;
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
    {
        // The reader has ended (or never ran); the lock orders this against nothing but is
        // the rule for every change of the descriptor.
        std::lock_guard<std::mutex> lock(portMutex_);
        port_.Close();  // drops DTR and discards both queues first
    }
    deviceConnected_ = false;
    replayFile_.Reset();
    stopEvent_.reset();
    receiveBuffer_.reset();
}

bool ReceiverLink::Write(const void* bytes, std::size_t count) {
    if (replay_ && readerThread_.joinable()) {
        return true;
    }
    {
        // Keeps the reader from closing the port under the write (at most the write time-out).
        std::lock_guard<std::mutex> lock(portMutex_);
        if (!port_.IsOpen()) {
            SetSystemError(EBADF);  // the device is away: the reader has said so once
            return false;
        }
        if (port_.Write(bytes, count, kWriteTimeout)) {
            return true;
        }
    }
    const int code = SystemError();
    if (code == EIO || code == ENXIO || code == ENODEV) {
        // The device has just gone; the reader reports that once, not every command.
        return false;
    }
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
    // Keeps the descriptor steady while the driver is asked.
    std::lock_guard<std::mutex> lock(portMutex_);
    if (!port_.IsOpen()) {
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
    // Keeps the descriptor and the kept settings steady against a reopening reader.
    std::lock_guard<std::mutex> lock(portMutex_);
    if (!port_.IsOpen()) {
        if (readerThread_.joinable() && !replay_) {
            parameters_ = parameters;  // made when the device comes back
            return true;
        }
        SetSystemError(EBADF);
        return false;
    }
    if (!port_.Configure(parameters)) {
        return false;
    }
    parameters_ = parameters;
    return true;
}

void ReceiverLink::SerialReader() {
    // Give the receiver's first bytes time to arrive; a Close meanwhile ends the thread.
    if (stopEvent_->Wait(kStartDelay)) {
        return;
    }
    for (;;) {
        if (!port_.IsOpen()) {
            // The device is away: look for it again now and then, until Close.
            if (stopEvent_->Wait(kReopenInterval)) {
                return;
            }
            ReopenDevice();
            continue;
        }
        // Sleeps until bytes arrive, the device hangs up, or Close signals the stop event.
        short revents = 0;
        const PollEvent::Woken woken =
            stopEvent_->WaitWith(port_.Descriptor(), POLLIN, kNoTimeLimit, revents);
        if (woken == PollEvent::Woken::Event) {
            return;
        }
        if (woken == PollEvent::Woken::Descriptor && !ReadQueued(revents)) {
            LoseDevice();
        }
    }
}

// Reads what the driver holds (never more, so the read never blocks) and hands on every line
// it completes. False when the device has gone away.
bool ReceiverLink::ReadQueued(short revents) {
    const LineFramer::LineHandler handleLine = [this](const char* line, std::size_t length) {
        HandleSerialLine(line, length);
    };
    const long queued = port_.QueuedInput();
    if (queued < 0) {
        return false;  // a hung-up tty refuses even this question
    }
    if (queued == 0) {
        // Woken with nothing to read: a hang-up (a pseudo-terminal whose other side closed),
        // an error, or nothing at all.
        if ((revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            SetSystemError(EIO);
            return false;
        }
        return true;
    }
    const auto wanted = std::min(static_cast<std::size_t>(queued), receiveBuffer_->Space());
    const long count = port_.Read(receiveBuffer_->WritePosition(), wanted);
    if (count < 0) {
        return false;
    }
    receiveBuffer_->Take(static_cast<std::size_t>(count), handleLine);
    return true;
}

// The device failed or went away (an unplugged adapter, a hung-up line): say so once, keep
// what was received, and close the port so that the same path can be opened when it returns.
void ReceiverLink::LoseDevice() {
    const int code = SystemError();
    if (receiveBuffer_->Held() > 0) {
        // The start of a line the device did not finish: the console log keeps the bytes, the
        // windows get only whole lines.
        ConsoleLogHook().Call(receiveBuffer_->WritePosition() - receiveBuffer_->Held(),
                              receiveBuffer_->Held());
        receiveBuffer_->Clear();
    }
    {
        // Keeps the owner's Write and PendingInputCount off the descriptor while it closes.
        std::lock_guard<std::mutex> lock(portMutex_);
        port_.Close();
    }
    deviceConnected_ = false;
    ShowMessageBox(FormatText("Communication Error %d", code));
    Notify(UWM_LINK_LOST);
}

bool ReceiverLink::ReopenDevice() {
    {
        // The descriptor changes, and the kept settings are read, under the lock the owner's
        // calls take.
        std::lock_guard<std::mutex> lock(portMutex_);
        if (!(port_.Open(portName_) && port_.Purge() && port_.Configure(parameters_) &&
              port_.RaiseDtr())) {
            port_.Close();
            return false;  // not back yet (or not usable yet): try again later, silently
        }
    }
    ++reconnects_;
    deviceConnected_ = true;
    Notify(UWM_LINK_RESTORED);
    return true;
}

void ReceiverLink::Notify(unsigned message) const {
    if (owner_) {
        owner_(message, 0, 0);
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
    ReplayPacer pacer(replayPace_);
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
        // Played as recorded, a line of a later epoch waits for its time; the wait is on the
        // stop event, so that Close ends it at once.
        if (const auto due = pacer.DueTime(line, ReplayPacer::Clock::now())) {
            const auto wait = std::chrono::ceil<milliseconds>(*due - ReplayPacer::Clock::now());
            if (wait.count() > 0 && stopEvent_->Wait(wait)) {
                return;
            }
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
