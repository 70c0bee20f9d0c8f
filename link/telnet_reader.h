// Separates a Telnet stream into data bytes and commands: IAC IAC is a data byte 0xFF;
// IAC WILL/WONT/DO/DONT <option> and IAC SB <option> ... IAC SE are handed to the caller;
// other two-byte commands (NOP, GA, ...) are dropped. Any chunking of the stream gives the
// same result: the state between chunks is kept here. A subnegotiation longer than
// kMaxSubnegotiation bytes is dropped whole, so a server cannot make it grow without bound.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace orbex {

namespace telnet {
inline constexpr std::uint8_t kIac = 255;
inline constexpr std::uint8_t kDont = 254;
inline constexpr std::uint8_t kDo = 253;
inline constexpr std::uint8_t kWont = 252;
inline constexpr std::uint8_t kWill = 251;
inline constexpr std::uint8_t kSb = 250;
inline constexpr std::uint8_t kSe = 240;
inline constexpr std::uint8_t kBinary = 0;
inline constexpr std::uint8_t kSuppressGoAhead = 3;
inline constexpr std::uint8_t kComPortOption = 44;
}  // namespace telnet

class TelnetReader {
  public:
    static constexpr std::size_t kMaxSubnegotiation = 64;

    struct Handler {
        // WILL, WONT, DO or DONT with its option.
        std::function<void(std::uint8_t verb, std::uint8_t option)> command;
        // The bytes between IAC SB and IAC SE (the option first), IAC IAC undone.
        std::function<void(const std::uint8_t* bytes, std::size_t count)> subnegotiation;
    };

    // Removes the Telnet commands from `count` bytes in place: the data bytes are left, in
    // order, at the start of `bytes`; returns their count.
    std::size_t Filter(char* bytes, std::size_t count, const Handler& handler);
    void Reset() { *this = TelnetReader(); }
    // Bytes of an unfinished subnegotiation held (never above kMaxSubnegotiation).
    std::size_t Held() const { return subLength_; }

  private:
    enum class State { Data, Iac, Option, Sub, SubIac };

    State state_ = State::Data;
    std::uint8_t verb_ = 0;
    std::array<std::uint8_t, kMaxSubnegotiation> sub_{};
    std::size_t subLength_ = 0;
    bool subOverflow_ = false;
};

}  // namespace orbex
