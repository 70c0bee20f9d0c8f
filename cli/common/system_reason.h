// What the command-line programs add to a failure on standard error: the path it concerns and
// the system's reason for it, in English whatever the locale.
#pragma once

#include <string>

namespace orbex {

// The system's words for an error number ("No such file or directory").
std::string SystemReason(int code);

// A link's failure text ("Communication Error 5", "COM Port Initialization Error\nError Code:2")
// on one line, followed by the port and, when the text ends in the system's error number, its
// reason: "Communication Error 5: /dev/ttyUSB0: Input/output error".
std::string LinkFailureText(const std::string& text, const std::string& port);

}  // namespace orbex
