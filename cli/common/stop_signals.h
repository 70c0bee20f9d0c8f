// Ctrl-C and SIGTERM as a request to stop: a long-running program finishes what it writes and
// closes its files instead of being ended part-way.
#pragma once

namespace orbex {

// Ctrl-C and SIGTERM call `onStop` (which only sets the program's stop flag); a reader that closes
// the pipe shows up as EPIPE on the next write instead of ending the program with SIGPIPE.
void InstallStopSignals(void (*onStop)(int));

}  // namespace orbex
