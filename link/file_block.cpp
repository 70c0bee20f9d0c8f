#include "link/file_block.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/system_error.h"

namespace orbex {

FileBlock::FileBlock(int fd, std::size_t size) : fd_(fd), data_(size) {}

bool FileBlock::Refill() {
    // Keep the unfinished line and append the next block behind it.
    const std::size_t held = end_ - begin_;
    std::memmove(data_.data(), data_.data() + begin_, held);
    begin_ = 0;
    end_ = held;
    for (;;) {
        const ssize_t count = ::read(fd_, data_.data() + end_, data_.size() - end_);
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
