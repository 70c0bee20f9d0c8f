// The line a command-line program adds under a link's own "COM Port Initialization Error" or
// "Communication Error" text: which port it was and the system's reason, so that a run with
// several receivers shows which one failed.
#pragma once

#include <optional>
#include <string>

namespace orbex {

// "PORT: reason" from the calling thread's last system error code (left there by the failed
// open or by the link's report of a lost stream, `code` when given).
std::string PortFailureLine(const std::string& port);
std::string PortFailureLine(const std::string& port, int code);

// The system's code at the end of a link's "Communication Error N" report (a stream that went
// away, a write refused); nothing for other texts, such as the open failure's, which the
// program tells after the open.
std::optional<int> CommunicationErrorCode(const std::string& text);

}  // namespace orbex
