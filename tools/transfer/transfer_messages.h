// The messages the almanac and ephemeris tools show when a transfer ends with a failure, by
// result code; the window shows them in a message box, orbex-data on standard error.
#pragma once

#include <string>

namespace orbex {

inline constexpr const char* kAcquisitionCaption = "Acquire Almanac/Ephemris Data from Receiver";
inline constexpr const char* kTransmissionCaption = "Transmit Almanac/Ephemeris Data to Reciever";

// The message for a failed acquisition or transmission; empty for a cancel (no message) and
// for success. `error` is the system error code that came with the result.
std::string AcquisitionFailureText(int code, int error);
std::string TransmissionFailureText(int code, int error);

}  // namespace orbex
