// The transmission of almanac and/or ephemeris data: the worker waits for the receiver's
// output, sends "@AMI" and waits for "[AMI] Ready", then sends the 64 almanac lines, each after
// the receiver has produced one line in reply to the previous one; for ephemeris it waits for
// "$GP" output before "@EMI", then for "[EMI] Ready", and sends 96 lines the same way.
#pragma once

#include <cstdint>

#include "tools/transfer/data_file_paths.h"
#include "tools/transfer/transfer_session.h"

namespace orbex {

inline constexpr int kAlmanacLines = 64;
inline constexpr int kEphemerisLines = 96;

// Runs the transmission for mode 0 (almanac), 1 (ephemeris) or 3 (both).
TransferResult RunTransmission(TransferSession& session, std::uint8_t mode,
                               const TransmissionFiles& files);

}  // namespace orbex
