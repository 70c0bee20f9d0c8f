#include "link/replay_lines.h"

#include <algorithm>
#include <cstring>

#include "link/line_framing.h"

namespace orbex {

ReplayLineReader::ReplayLineReader(int fd, std::size_t blockSize)
    : block_(fd, std::max(blockSize, kReceiveBufferSize)) {}

ReplayLineReader::Result ReplayLineReader::Next(std::string_view& line) {
    for (;;) {
        const std::string_view held = block_.held();
        const std::size_t window = std::min(held.size(), kReceiveBufferSize);
        if (const void* lf = std::memchr(held.data(), '\n', window)) {
            const std::size_t length = static_cast<const char*>(lf) - held.data() + 1;
            line = held.substr(0, length);
            block_.Consume(length);
            return Result::Line;
        }
        if (held.size() >= kReceiveBufferSize || (!block_.more() && !held.empty())) {
            line = held.substr(0, window);
            block_.Consume(window);
            return Result::Line;
        }
        if (block_.failed()) {
            return Result::Failed;
        }
        if (block_.atEnd() || !block_.Refill()) {
            if (block_.held().empty()) {
                return block_.failed() ? Result::Failed : Result::EndOfFile;
            }
        }
    }
}

}  // namespace orbex
