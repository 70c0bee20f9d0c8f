#include "link/replay_lines.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "link/line_framing.h"
#include "platform/system_error.h"

namespace orbex {

ReplayLineReader::ReplayLineReader(int fd, std::size_t blockSize)
    : fd_(fd), block_(std::max(blockSize, kReceiveBufferSize)) {}

ReplayLineReader::Result ReplayLineReader::Next(std::string_view& line) {
    for (;;) {
        const std::size_t held = end_ - begin_;
        const std::size_t window = std::min(held, kReceiveBufferSize);
        const char* start = block_.data() + begin_;
        if (const void* lf = std::memchr(start, '\n', window)) {
            const std::size_t length = static_cast<const char*>(lf) - start + 1;
            line = std::string_view(start, length);
            begin_ += length;
            return Result::Line;
        }
        if (held >= kReceiveBufferSize || ((atEnd_ || failed_) && held > 0)) {
            line = std::string_view(start, window);
            begin_ += window;
            return Result::Line;
        }
        if (failed_) {
            return Result::Failed;
        }
        if (atEnd_ || !Refill()) {
            if (end_ - begin_ == 0) {
                return failed_ ? Result::Failed : Result::EndOfFile;
            }
        }
    }
}

bool ReplayLineReader::Refill() {
    // Keep the unfinished line and append the next block behind it.
    const std::size_t held = end_ - begin_;
    std::memmove(block_.data(), block_.data() + begin_, held);
    begin_ = 0;
    end_ = held;
    for (;;) {
        const ssize_t count = ::read(fd_, block_.data() + end_, block_.size() - end_);
        if (count > 0) {
            end_ += static_cast<std::size_t>(count);
            return true;
        }
        if (count == 0) {
            atEnd_ = true;
            return false;
        }
        if (errno != EINTR) {
            SetSystemErrorFromErrno();
            failed_ = true;
            return false;
        }
    }
}

}  // namespace orbex
