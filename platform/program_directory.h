// The program's directory, where the data files and the default logs live: $ORBEX_HOME when
// set, else the executable's directory when it is writable, else ~/.local/share/orbex.
#pragma once

#include <string>

namespace orbex {

// The directory with a trailing "/"; created when missing.
std::string ProgramDirectory();

}  // namespace orbex
