// The files orbex-ttff writes besides standard output: checked before the first cycle, and the
// summary replaced whole so that a reader never sees half of it.
#pragma once

#include <string>

namespace orbex {

// "" when `path` can be written (appended to when it exists), else the path and the system's
// reason. Leaves no file behind that was not there before.
std::string CheckWritable(const std::string& path);

// Writes `text` to a temporary file beside `path`, flushes it to the disk and renames it over
// `path`. "" on success, else the path and the system's reason (the old file stays).
std::string ReplaceFile(const std::string& path, const std::string& text);

}  // namespace orbex
