#include "link/com_port_negotiation.h"

namespace orbex {

namespace {

using namespace telnet;

// Server-to-client answers carry the command's number plus 100.
constexpr std::uint8_t kServerOffset = 100;
constexpr std::uint8_t kNotifyLineState = 106;
constexpr std::uint8_t kNotifyModemState = 107;

// SET-CONTROL values.
constexpr std::uint8_t kNoFlow = 1;
constexpr std::uint8_t kXonXoffFlow = 2;
constexpr std::uint8_t kHardwareFlow = 3;
constexpr std::uint8_t kDtrOn = 8;
constexpr std::uint8_t kRtsOn = 11;
constexpr std::uint8_t kDtrFlowInbound = 18;
constexpr std::uint8_t kDsrFlowOutbound = 19;

// The index into localOn_ of an option we agree to, or -1.
int LocalIndex(std::uint8_t option) {
    switch (option) {
        case kBinary:
            return 0;
        case kSuppressGoAhead:
            return 1;
        case kComPortOption:
            return 2;
        default:
            return -1;
    }
}

int RemoteIndex(std::uint8_t option) {
    const int index = LocalIndex(option);
    return index < 2 ? index : -1;
}

void Append(std::string& out, std::uint8_t verb, std::uint8_t option) {
    out.push_back(static_cast<char>(kIac));
    out.push_back(static_cast<char>(verb));
    out.push_back(static_cast<char>(option));
}

// IAC SB COM-PORT-OPTION command value... IAC SE, with 0xFF in the value doubled.
void AppendCommand(std::string& out, std::uint8_t command,
                   std::initializer_list<std::uint8_t> value) {
    out.push_back(static_cast<char>(kIac));
    out.push_back(static_cast<char>(kSb));
    out.push_back(static_cast<char>(kComPortOption));
    out.push_back(static_cast<char>(command));
    for (const std::uint8_t byte : value) {
        out.push_back(static_cast<char>(byte));
        if (byte == kIac) {
            out.push_back(static_cast<char>(kIac));
        }
    }
    out.push_back(static_cast<char>(kIac));
    out.push_back(static_cast<char>(kSe));
}

}  // namespace

std::string ComPortNegotiation::Offer() {
    std::string offer;
    Append(offer, kWill, kComPortOption);
    Append(offer, kWill, kBinary);
    Append(offer, kDo, kBinary);
    Append(offer, kWill, kSuppressGoAhead);
    Append(offer, kDo, kSuppressGoAhead);
    return offer;
}

std::string ComPortNegotiation::SettingsCommands(const SerialParameters& parameters) {
    std::string out;
    const std::uint32_t baud = parameters.baudRate;
    AppendCommand(out, kSetBaudRate,
                  {static_cast<std::uint8_t>(baud >> 24), static_cast<std::uint8_t>(baud >> 16),
                   static_cast<std::uint8_t>(baud >> 8), static_cast<std::uint8_t>(baud)});
    AppendCommand(out, kSetDataSize, {static_cast<std::uint8_t>(parameters.dataBits)});
    // Parity: 1 none, 2 odd, 3 even, 4 mark, 5 space: the settings' order, one up.
    AppendCommand(out, kSetParity,
                  {static_cast<std::uint8_t>(static_cast<int>(parameters.parity) + 1)});
    // Stop size: 1 one, 2 two, 3 one and a half.
    const std::uint8_t stop = parameters.stopBits == SerialStopBits::One   ? 1
                              : parameters.stopBits == SerialStopBits::Two ? 2
                                                                           : 3;
    AppendCommand(out, kSetStopSize, {stop});
    const std::uint8_t flow = parameters.rtsCts    ? kHardwareFlow
                              : parameters.xonXoff ? kXonXoffFlow
                                                   : kNoFlow;
    AppendCommand(out, kSetControl, {flow});
    if (parameters.dsrDtr) {
        AppendCommand(out, kSetControl, {kDsrFlowOutbound});
        AppendCommand(out, kSetControl, {kDtrFlowInbound});
    } else {
        AppendCommand(out, kSetControl, {kDtrOn});
    }
    if (!parameters.rtsCts) {
        AppendCommand(out, kSetControl, {kRtsOn});
    }
    return out;
}

std::string ComPortNegotiation::Escape(const void* bytes, std::size_t count) {
    std::string out;
    out.reserve(count + 8);
    const auto* data = static_cast<const char*>(bytes);
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(data[i]);
        if (static_cast<std::uint8_t>(data[i]) == kIac) {
            out.push_back(data[i]);
        }
    }
    return out;
}

std::size_t ComPortNegotiation::Take(char* bytes, std::size_t count, std::string& replies) {
    TelnetReader::Handler handler;
    handler.command = [this, &replies](std::uint8_t verb, std::uint8_t option) {
        OnCommand(verb, option, replies);
    };
    handler.subnegotiation = [this](const std::uint8_t* sub, std::size_t length) {
        OnSubnegotiation(sub, length);
    };
    return reader_.Filter(bytes, count, handler);
}

// The options we offered at the start are agreed without a reply when the server accepts
// them; any other request is answered once, so that neither side can start a loop.
void ComPortNegotiation::OnCommand(std::uint8_t verb, std::uint8_t option, std::string& replies) {
    if (verb == kDo || verb == kDont) {
        const int index = LocalIndex(option);
        if (option == kComPortOption) {
            comPort_ = verb == kDo ? ComPort::Accepted : ComPort::Refused;
        }
        if (index < 0) {
            if (verb == kDo) {
                Append(replies, kWont, option);
            }
            return;
        }
        localOn_[index] = verb == kDo;
        return;
    }
    if (verb == kWill || verb == kWont) {
        const int index = RemoteIndex(option);
        if (index < 0) {
            if (verb == kWill) {
                Append(replies, kDont, option);
            }
            return;
        }
        remoteOn_[index] = verb == kWill;
    }
}

void ComPortNegotiation::OnSubnegotiation(const std::uint8_t* bytes, std::size_t count) {
    if (count < 2 || bytes[0] != kComPortOption) {
        return;
    }
    const std::uint8_t command = bytes[1];
    if (command == kNotifyLineState || command == kNotifyModemState) {
        return;  // the line's and the modem's state: nothing here depends on them
    }
    if (command < kServerOffset + kSetBaudRate || command > kServerOffset + kSetControl) {
        return;
    }
    const std::uint8_t answered = command - kServerOffset;
    if (answered == kSetControl) {
        // Only the flow-control answer counts; DTR and RTS answers are welcome but not waited for.
        const bool flow = count >= 3 && (bytes[2] == kNoFlow || bytes[2] == kXonXoffFlow ||
                                         bytes[2] == kHardwareFlow);
        if (!flow) {
            return;
        }
    }
    acknowledged_ |= 1u << answered;
}

}  // namespace orbex
