// The summary file of orbex-ttff, replaced whole so that a reader never sees half of it.
#pragma once

#include <string>

namespace orbex {

// Writes `text` to a temporary file beside `path`, flushes it to the disk and renames it over
// `path`. "" on success, else the path and the system's reason (the old file stays).
std::string ReplaceFile(const std::string& path, const std::string& text);

}  // namespace orbex
