// Writing a finished report: through a file beside the target that is then renamed over it, so
// a failed write leaves no half report in place of an earlier one.
#pragma once

#include <string>

namespace orbex {

// False with a one-line reason (the path and the system's words) when it cannot be written.
bool WriteReportFile(const std::string& path, const std::string& html, std::string& error);

}  // namespace orbex
