// The serial ports a link can be opened on: the paths named in the environment variable
// ORBEX_SERIAL_PORTS (colon-separated, so that a pseudo-terminal such as the stand-in
// receiver's can be chosen; an entry that begins with tcp:// or rfc2217:// runs to its port
// number) first, then the serial devices present, at most 10 in all.
#pragma once

#include <string>
#include <vector>

namespace orbex {

inline constexpr std::size_t kMaxPorts = 10;

std::vector<std::string> EnumeratePorts();

// The port at `index` of EnumeratePorts(), or an empty name past the end or below 0.
std::string PortNameAt(int index);

// The port a command line names with NAME_OR_INDEX: a device path as it is, or the port at that
// index of the list. Empty, with `error` saying why, when the index names no port.
std::string PortNamed(const std::string& nameOrIndex, std::string& error);

// Puts `paths` first in the port list, in order (through ORBEX_SERIAL_PORTS, before what it
// already names), so that the i-th of them opens at index i.
void ListPortsFirst(const std::vector<std::string>& paths);

}  // namespace orbex
