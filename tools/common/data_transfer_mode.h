// The data-transfer mode: which transfer the almanac and ephemeris windows run. The window
// command that opens a data-transfer window sets it (the window-kind table holds it per command),
// and the main window hands it to the window it opens.
#pragma once

#include <cstdint>

namespace orbex {

enum DataTransferMode : std::uint8_t {
    kTransferAlmanac = 0,                   // acquire or transmit almanac data
    kTransferEphemerisTransmit = 1,         // transmit ephemeris data
    kTransferEphemerisAcquire = 2,          // acquire ephemeris data
    kTransferAlmanacEphemerisTransmit = 3,  // transmit almanac and ephemeris data
};

}  // namespace orbex
