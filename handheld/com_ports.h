// COM1..COM10 of the viewer: port n is the n-th serial device present, after the paths listed
// in the environment variable ORBEXCE_PORTS (colon-separated), which fill the first entries
// so that a pseudo-terminal can stand at any COM number.
#pragma once

#include <array>
#include <string>

namespace orbexce {

inline constexpr int kPortCount = 10;

// The device paths of COM1..COM10; an entry without a device is empty.
using ComPortTable = std::array<std::string, kPortCount>;

ComPortTable FindComPorts();

}  // namespace orbexce
