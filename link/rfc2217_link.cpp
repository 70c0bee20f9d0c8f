#include "link/rfc2217_link.h"

#include <poll.h>

#include <array>

#include "platform/system_error.h"

namespace orbex {

namespace {

using std::chrono::milliseconds;

// How long the server may take over each answer before the link goes on without it.
constexpr milliseconds kAnswerLimit(500);

}  // namespace

Rfc2217Link::~Rfc2217Link() {
    Close();
}

// Runs under the stream lock (at Open, or on the reader thread when reconnecting).
bool Rfc2217Link::OpenStream(const SerialParameters& parameters, bool reconnect) {
    if (!TcpLink::OpenStream(parameters, reconnect)) {
        return false;
    }
    negotiation_.Reset();
    comPortAccepted_ = false;
    if (!SendRaw(ComPortNegotiation::Offer().data(), ComPortNegotiation::Offer().size())) {
        return false;
    }
    Negotiate(kAnswerLimit,
              [this] { return negotiation_.comPort() != ComPortNegotiation::ComPort::Waiting; });
    if (negotiation_.comPort() != ComPortNegotiation::ComPort::Accepted) {
        if (!refusalReported_) {
            refusalReported_ = true;
            ReportError(address().Text() +
                            (negotiation_.comPort() == ComPortNegotiation::ComPort::Refused
                                 ? " refused the COM port option"
                                 : " did not answer the COM port option") +
                            ": its port keeps the server's own settings, and its bytes are read as "
                            "they come.",
                        MessageIcon::Warning);
        }
        return true;
    }
    comPortAccepted_ = true;
    const std::string commands = ComPortNegotiation::SettingsCommands(parameters);
    if (!SendRaw(commands.data(), commands.size())) {
        return false;
    }
    // Each acknowledgement is given its own time: the limit counts from the last one.
    Negotiate(kAnswerLimit, [this] {
        return (negotiation_.AcknowledgedMask() & ComPortNegotiation::kAllSettings) ==
               ComPortNegotiation::kAllSettings;
    });
    return true;
}

template <typename Done>
void Rfc2217Link::Negotiate(milliseconds limit, Done done) {
    std::array<char, 512> bytes{};
    unsigned seen = negotiation_.AcknowledgedMask();
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        const auto left =
            std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return;
        }
        short revents = 0;
        // The stop event cuts the wait short when Close comes meanwhile.
        const PollEvent::Woken woken = stopEvent()->WaitWith(Descriptor(), POLLIN, left, revents);
        if (woken != PollEvent::Woken::Descriptor) {
            return;
        }
        const long count = ReadAndAnswer(bytes.data(), bytes.size(), true);
        if (count < 0) {
            return;  // the reader finds the failure at its first read
        }
        // Lines that arrive during the negotiation are the receiver's: keep them.
        TakeReceived(bytes.data(), static_cast<std::size_t>(count));
        if (negotiation_.AcknowledgedMask() != seen) {
            seen = negotiation_.AcknowledgedMask();
            deadline = std::chrono::steady_clock::now() + limit;
        }
    }
}

long Rfc2217Link::ReadAndAnswer(char* bytes, std::size_t capacity, bool locked) {
    const long count = ReceiveRaw(bytes, capacity);
    if (count <= 0) {
        return count;
    }
    std::string replies;
    const std::size_t data = negotiation_.Take(bytes, static_cast<std::size_t>(count), replies);
    if (!replies.empty()) {
        if (locked) {
            SendRaw(replies.data(), replies.size());
        } else {
            // The owner may be writing a command: the answer goes between, not into, it.
            std::lock_guard<std::mutex> lock(streamMutex());
            SendRaw(replies.data(), replies.size());
        }
    }
    return static_cast<long>(data);
}

long Rfc2217Link::ReadStream(char* bytes, std::size_t capacity, short) {
    return ReadAndAnswer(bytes, capacity, false);
}

bool Rfc2217Link::WriteStream(const void* bytes, std::size_t count) {
    const std::string escaped = ComPortNegotiation::Escape(bytes, count);
    return SendRaw(escaped.data(), escaped.size());
}

// A live change: the commands go out; their answers are read by the reader as they come.
bool Rfc2217Link::ConfigureStream(const SerialParameters& parameters) {
    if (!comPortAccepted_) {
        return true;  // the server's port is the server's: reported at Open
    }
    const std::string commands = ComPortNegotiation::SettingsCommands(parameters);
    return SendRaw(commands.data(), commands.size());
}

}  // namespace orbex
