// Port names that reach a receiver over the network, as a user types them: tcp://HOST:PORT
// (a raw TCP stream) and rfc2217://HOST:PORT (a Telnet COM Port Control session). HOST is a
// name, an IPv4 address or a bracketed IPv6 address; PORT is 1..65535.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orbex {

struct NetworkAddress {
    enum class Kind { Tcp, Rfc2217 };
    Kind kind = Kind::Tcp;
    std::string host;
    std::uint16_t port = 0;

    // The name as a user types it.
    std::string Text() const;
};

// True when `name` begins with tcp:// or rfc2217:// (whether or not the rest is good).
bool IsNetworkPortName(std::string_view name);

// The address `name` names; nullopt with `error` saying why when it is not a good one.
std::optional<NetworkAddress> ParseNetworkAddress(std::string_view name, std::string& error);

}  // namespace orbex
