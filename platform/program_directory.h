// The program's directory, where the data files and the default logs live: $ORBEX_HOME when
// set, else the executable's directory when it is writable, else ~/.local/share/orbex. An
// installed program's directory (/usr/bin and the like) counts as read-only even for the
// superuser, so that logs and data files never land among the system's programs.
#pragma once

#include <string>

namespace orbex {

// The directory with a trailing "/"; created when missing.
std::string ProgramDirectory();

// True for the folders programs are installed into: /usr/bin, /usr/local/bin, /bin and
// their sbin twins.
bool IsSystemProgramDirectory(const std::string& directory);

}  // namespace orbex
