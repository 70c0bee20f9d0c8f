// The serial ports a link can be opened on: the paths named in the environment variable
// ORBEX_SERIAL_PORTS (colon-separated, so that a pseudo-terminal such as the stand-in
// receiver's can be chosen) first, then the serial devices present, at most 10 in all.
#pragma once

#include <string>
#include <vector>

namespace orbex {

inline constexpr std::size_t kMaxPorts = 10;

std::vector<std::string> EnumeratePorts();

// The port at `index` of EnumeratePorts(), or an empty name past the end or below 0.
std::string PortNameAt(int index);

}  // namespace orbex
