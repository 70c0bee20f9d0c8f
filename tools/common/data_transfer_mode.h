// The data-transfer mode: which transfer the almanac and ephemeris windows run. The main window
// sets it before it opens (or brings forward) a data-transfer window; the tools read it.
#pragma once

#include <cstdint>

namespace orbex {

enum DataTransferMode : std::uint8_t {
    kTransferAlmanac = 0,                   // acquire or transmit almanac data
    kTransferEphemerisTransmit = 1,         // transmit ephemeris data
    kTransferEphemerisAcquire = 2,          // acquire ephemeris data
    kTransferAlmanacEphemerisTransmit = 3,  // transmit almanac and ephemeris data
};

void SetDataTransferMode(std::uint8_t mode);
std::uint8_t CurrentDataTransferMode();

}  // namespace orbex
