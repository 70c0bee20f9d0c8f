// The data viewer's "File:" line shows long paths shortened to about 40 characters: the first
// three characters, "...", and the path from its second-last "/" on, so the last folder and the
// file name stay readable.
#pragma once

#include <string>

namespace orbex {

std::string ShortenPathForViewer(const std::string& path);

}  // namespace orbex
