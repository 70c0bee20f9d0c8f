// Runs vm8140-sim: the transport (pseudo-terminal or standard output), real-time or fast
// pacing, the truth file, the symbolic link and the hang-up fault around a ReceiverSimulator.
#pragma once

#include <ostream>

#include "sim/sim_options.h"

namespace orbex::sim {

inline constexpr int kExitHangup = 3;  // the --hangup-after fault closed the port
inline constexpr int kExitSetupError = 2;
inline constexpr int kExitWriteError = 1;  // the stream or the truth file could not be written

// Serves until killed (SIGINT/SIGTERM), until --duration has passed, or until --hangup-after.
// Returns the process exit code; failures are described on `errors`.
int RunSimulator(const SimOptions& options, std::ostream& errors);

// The fixed start of a fast run when no --start is given, so recordings are reproducible.
SimMillis DefaultFastStart();

}  // namespace orbex::sim
