#include "link/port_list.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "link/network_address.h"

namespace orbex {

namespace {

namespace fs = std::filesystem;

std::vector<std::string> PortsFromEnvironment() {
    std::vector<std::string> ports;
    const char* value = std::getenv("ORBEX_SERIAL_PORTS");
    if (value == nullptr) {
        return ports;
    }
    std::string_view rest(value);
    while (!rest.empty()) {
        std::size_t colon = rest.find(':');
        if (IsNetworkPortName(rest)) {
            // tcp://HOST:PORT and rfc2217://HOST:PORT hold colons of their own: the entry runs
            // past the scheme and the host (a bracketed IPv6 host whole) to its port number.
            std::size_t host = rest.find("//") + 2;
            if (host < rest.size() && rest[host] == '[') {
                host = std::min(rest.find(']', host), rest.size());
            }
            const std::size_t portColon = rest.find(':', host);
            colon = portColon == std::string_view::npos
                        ? std::string_view::npos
                        : rest.find_first_not_of("0123456789", portColon + 1);
        }
        const std::string_view path = rest.substr(0, colon);
        if (!path.empty()) {
            ports.emplace_back(path);
        }
        if (colon == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(colon + 1);
    }
    return ports;
}

// The UART drivers register a device for every possible port; a port whose type attribute
// reads 0 (unknown) has no hardware behind it. Other drivers (USB adapters) have no type.
bool HasHardware(const fs::path& ttyEntry) {
    std::ifstream type(ttyEntry / "type");
    int portType = 0;
    return !type.is_open() || !(type >> portType) || portType != 0;
}

// ttyS2 before ttyS10: names compare by their letters, then by their number.
bool NaturalLess(const std::string& a, const std::string& b) {
    auto split = [](const std::string& name) {
        std::size_t digits = name.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) {
            --digits;
        }
        const std::string number = name.substr(digits);
        return std::make_pair(name.substr(0, digits),
                              number.empty() ? -1L : std::strtol(number.c_str(), nullptr, 10));
    };
    return split(a) < split(b);
}

std::vector<std::string> SerialDevicesPresent() {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator("/sys/class/tty", error)) {
        std::error_code linkError;
        if (!fs::exists(entry.path() / "device", linkError) || !HasHardware(entry.path())) {
            continue;
        }
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        paths.push_back("/dev/" + name);
    }
    return paths;
}

}  // namespace

std::vector<std::string> EnumeratePorts() {
    std::vector<std::string> ports = PortsFromEnvironment();
    for (std::string& device : SerialDevicesPresent()) {
        if (std::find(ports.begin(), ports.end(), device) == ports.end()) {
            ports.push_back(std::move(device));
        }
    }
    if (ports.size() > kMaxPorts) {
        ports.resize(kMaxPorts);
    }
    return ports;
}

std::string PortNameAt(int index) {
    const std::vector<std::string> ports = EnumeratePorts();
    if (index < 0 || static_cast<std::size_t>(index) >= ports.size()) {
        return {};
    }
    return ports[static_cast<std::size_t>(index)];
}

std::string PortNamed(const std::string& nameOrIndex, std::string& error) {
    const bool index = !nameOrIndex.empty() && nameOrIndex.size() < 10 &&
                       nameOrIndex.find_first_not_of("0123456789") == std::string::npos;
    if (!index) {
        return nameOrIndex;
    }
    std::string name = PortNameAt(std::atoi(nameOrIndex.c_str()));
    if (name.empty()) {
        error = "no serial port at index " + nameOrIndex + " (" +
                std::to_string(EnumeratePorts().size()) + " listed)";
    }
    return name;
}

void ListPortsFirst(const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& path : paths) {
        list += path + ":";
    }
    if (const char* present = std::getenv("ORBEX_SERIAL_PORTS"); present != nullptr) {
        list += present;
    }
    if (!list.empty() && list.back() == ':') {
        list.pop_back();
    }
    ::setenv("ORBEX_SERIAL_PORTS", list.c_str(), 1);
}

}  // namespace orbex
