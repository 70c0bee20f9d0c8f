#include "link/link_factory.h"

#include "link/network_address.h"
#include "link/rfc2217_link.h"
#include "link/serial_link.h"
#include "link/tcp_link.h"

namespace orbex {

std::unique_ptr<ReceiverLink> MakeReceiverLink(LineQueue& queue, const std::string& portName,
                                               std::string& error) {
    if (portName.empty()) {
        return std::make_unique<SerialLink>(queue);
    }
    if (!IsNetworkPortName(portName)) {
        return std::make_unique<SerialLink>(queue, portName);
    }
    const std::optional<NetworkAddress> address = ParseNetworkAddress(portName, error);
    if (!address) {
        return nullptr;
    }
    if (address->kind == NetworkAddress::Kind::Rfc2217) {
        return std::make_unique<Rfc2217Link>(queue, *address);
    }
    return std::make_unique<TcpLink>(queue, *address);
}

}  // namespace orbex
