#include "link/telnet_reader.h"

namespace orbex {

std::size_t TelnetReader::Filter(char* bytes, std::size_t count, const Handler& handler) {
    using namespace telnet;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        switch (state_) {
            case State::Data:
                if (byte == kIac) {
                    state_ = State::Iac;
                } else {
                    bytes[kept++] = static_cast<char>(byte);
                }
                break;
            case State::Iac:
                if (byte == kIac) {
                    bytes[kept++] = static_cast<char>(byte);
                    state_ = State::Data;
                } else if (byte >= kWill) {
                    verb_ = byte;
                    state_ = State::Option;
                } else if (byte == kSb) {
                    subLength_ = 0;
                    subOverflow_ = false;
                    state_ = State::Sub;
                } else {
                    state_ = State::Data;  // NOP, GA, AYT, ...: nothing to do
                }
                break;
            case State::Option:
                if (handler.command) {
                    handler.command(verb_, byte);
                }
                state_ = State::Data;
                break;
            case State::Sub:
            case State::SubIac:
                if (state_ == State::Sub && byte == kIac) {
                    state_ = State::SubIac;
                    break;
                }
                if (state_ == State::SubIac && byte != kIac) {
                    // IAC SE ends it; any other command ends it too (the server broke off).
                    if (byte == kSe && !subOverflow_ && handler.subnegotiation) {
                        handler.subnegotiation(sub_.data(), subLength_);
                    }
                    subLength_ = 0;
                    state_ = State::Data;
                    break;
                }
                if (subLength_ < sub_.size()) {
                    sub_[subLength_++] = byte;
                } else {
                    subOverflow_ = true;
                }
                state_ = State::Sub;
                break;
        }
    }
    return kept;
}

}  // namespace orbex
