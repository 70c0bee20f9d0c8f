#include "tools/transfer/viewer_path.h"

#include <algorithm>

namespace orbex {

std::string ShortenPathForViewer(const std::string& path) {
    constexpr std::size_t kLimit = 40;
    // A path with two separators stays whole a little past the limit.
    constexpr std::size_t kTwoSeparatorLimit = 45;
    const auto separators = std::count(path.begin(), path.end(), '/');
    if (path.size() <= kLimit || separators < 2 ||
        (separators == 2 && path.size() < kTwoSeparatorLimit)) {
        return path;
    }
    const std::size_t last = path.rfind('/');
    const std::size_t secondLast = path.rfind('/', last - 1);
    return path.substr(0, 3) + "..." + path.substr(secondLast);
}

}  // namespace orbex
