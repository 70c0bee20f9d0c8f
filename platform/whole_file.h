// Writing a file whole, so that a write that fails anywhere (a full disk, a device that takes
// nothing) is seen and reported, not only a file that cannot be opened.
#pragma once

#include <string>
#include <string_view>

namespace orbex {

// Writes `content` to `path` (created or truncated). False with "cannot write PATH: reason" in
// `error` when any part of it fails.
bool WriteWholeFile(const std::string& path, std::string_view content, std::string& error);

// Replaces `path` with `content` so that a reader sees the old file or the new one, never half
// of one: written and flushed to disk as PATH.part beside it, then renamed over it. On failure
// the old file stays and PATH.part is removed.
bool ReplaceWholeFile(const std::string& path, std::string_view content, std::string& error);

}  // namespace orbex
