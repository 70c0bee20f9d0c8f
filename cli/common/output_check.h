// The check a command-line program makes of a file it is to write, before the work starts: a
// file named on the command line that cannot be written is told at once (bad use), not after
// the work is done.
#pragma once

#include <optional>
#include <string>

namespace orbex {

// The reason `path` cannot be written ("cannot write PATH: reason"), or nothing. An existing
// file is not changed by the check and a missing one is not created.
std::optional<std::string> CheckFileToWrite(const std::string& path);

}  // namespace orbex
