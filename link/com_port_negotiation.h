// The client's side of Telnet COM Port Control (RFC 2217) with a serial device server: offers
// WILL COM-PORT-OPTION, agrees to BINARY and SUPPRESS-GO-AHEAD both ways (records are binary:
// a 0xFF or a CR passes unchanged) and refuses every other option; builds the commands that
// set the line from the port settings and notes which of them the server acknowledged. Line-
// and modem-state notifications are read and ignored. Plain state, no I/O: the link feeds it
// what the server sent and sends what it answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/telnet_reader.h"
#include "platform/serial_port.h"

namespace orbex {

class ComPortNegotiation {
  public:
    enum class ComPort { Waiting, Accepted, Refused };

    // The SET commands a link sends and waits for (bit n of AcknowledgedMask() for command n).
    static constexpr std::uint8_t kSetBaudRate = 1;
    static constexpr std::uint8_t kSetDataSize = 2;
    static constexpr std::uint8_t kSetParity = 3;
    static constexpr std::uint8_t kSetStopSize = 4;
    static constexpr std::uint8_t kSetControl = 5;  // acknowledged for the flow control only
    static constexpr unsigned kAllSettings = 0x3E;  // bits 1 to 5

    // What the client says first.
    static std::string Offer();
    // The commands for `parameters`: speed, data size, parity, stop size, flow control, then
    // DTR and RTS on (the servers that have no modem lines do not acknowledge those).
    static std::string SettingsCommands(const SerialParameters& parameters);
    // Data bytes for the server: each 0xFF doubled.
    static std::string Escape(const void* bytes, std::size_t count);

    // Takes `count` bytes from the server: the data bytes are left at the start of `bytes`
    // (their count is returned) and the answers the server is owed are appended to `replies`.
    std::size_t Take(char* bytes, std::size_t count, std::string& replies);
    void Reset() { *this = ComPortNegotiation(); }

    ComPort comPort() const { return comPort_; }
    unsigned AcknowledgedMask() const { return acknowledged_; }
    std::size_t Held() const { return reader_.Held(); }

  private:
    void OnCommand(std::uint8_t verb, std::uint8_t option, std::string& replies);
    void OnSubnegotiation(const std::uint8_t* bytes, std::size_t count);

    TelnetReader reader_;
    ComPort comPort_ = ComPort::Waiting;
    unsigned acknowledged_ = 0;
    // Per option we agree to: whether it is on for our side (WILL) and the server's (DO).
    bool localOn_[3] = {};   // BINARY, SGA, COM-PORT (offered at the start, so never asked)
    bool remoteOn_[2] = {};  // BINARY, SGA
};

}  // namespace orbex
