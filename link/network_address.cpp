#include "link/network_address.h"

#include <charconv>

namespace orbex {

namespace {

constexpr std::string_view kTcpScheme = "tcp://";
constexpr std::string_view kRfc2217Scheme = "rfc2217://";

}  // namespace

std::string NetworkAddress::Text() const {
    const bool v6 = host.find(':') != std::string::npos;
    return std::string(kind == Kind::Tcp ? kTcpScheme : kRfc2217Scheme) +
           (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

bool IsNetworkPortName(std::string_view name) {
    return name.starts_with(kTcpScheme) || name.starts_with(kRfc2217Scheme);
}

std::optional<NetworkAddress> ParseNetworkAddress(std::string_view name, std::string& error) {
    NetworkAddress address;
    std::string_view rest;
    if (name.starts_with(kTcpScheme)) {
        rest = name.substr(kTcpScheme.size());
    } else if (name.starts_with(kRfc2217Scheme)) {
        address.kind = NetworkAddress::Kind::Rfc2217;
        rest = name.substr(kRfc2217Scheme.size());
    } else {
        error =
            "not a network address (tcp://HOST:PORT or rfc2217://HOST:PORT): " + std::string(name);
        return std::nullopt;
    }
    const std::size_t colon = rest.rfind(':');
    if (colon == std::string_view::npos || colon == 0) {
        error = "a network address needs HOST:PORT: " + std::string(name);
        return std::nullopt;
    }
    std::string_view host = rest.substr(0, colon);
    const std::string_view portText = rest.substr(colon + 1);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    } else if (host.find_first_of("[]:/") != std::string_view::npos) {
        error = "bad host in " + std::string(name);
        return std::nullopt;
    }
    unsigned port = 0;
    const auto [end, result] =
        std::from_chars(portText.data(), portText.data() + portText.size(), port);
    if (result != std::errc() || end != portText.data() + portText.size() || port == 0 ||
        port > 65535) {
        error = "bad port number in " + std::string(name) + " (1 to 65535)";
        return std::nullopt;
    }
    address.host = std::string(host);
    address.port = static_cast<std::uint16_t>(port);
    return address;
}

}  // namespace orbex
