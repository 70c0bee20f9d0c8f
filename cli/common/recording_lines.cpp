#include "cli/common/recording_lines.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "link/line_framing.h"
#include "platform/system_error.h"

namespace orbex {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

RecordingLineReader::RecordingLineReader(int fd, std::size_t blockSize)
    : fd_(fd), block_(std::max(blockSize, 2 * kReceiveBufferSize)) {}

bool RecordingLineReader::SkipPadding() {
    if (atStart_) {
        const std::string_view held(block_.data() + begin_, end_ - begin_);
        if (held.size() < kByteOrderMark.size() && kByteOrderMark.starts_with(held) && !atEnd_ &&
            !failed_) {
            return false;  // the mark may be cut by the block's end
        }
        if (held.starts_with(kByteOrderMark)) {
            begin_ += kByteOrderMark.size();
        }
        atStart_ = false;
    }
    while (begin_ < end_ && block_[begin_] == '\0') {
        ++begin_;
    }
    return begin_ < end_;
}

RecordingLineReader::Result RecordingLineReader::Next(std::string_view& line) {
    for (;;) {
        if (SkipPadding()) {
            const std::size_t held = end_ - begin_;
            const std::size_t window = std::min(held, kReceiveBufferSize);
            const char* start = block_.data() + begin_;
            const bool more = !atEnd_ && !failed_;
            std::size_t i = 0;
            while (i < window && start[i] != '\n' && start[i] != '\r') {
                ++i;
            }
            if (i < window && start[i] == '\n') {
                line = std::string_view(start, i + 1);
                begin_ += i + 1;
                return Result::Line;
            }
            if (i < window) {
                // A run of CRs: with a LF after it, it is part of the terminator; with any
                // other byte, or at the end of the file, the line ended in a bare CR.
                std::size_t after = i;
                while (after < held && start[after] == '\r') {
                    ++after;
                }
                if (after < held && start[after] == '\n') {
                    line = std::string_view(start, after + 1);
                    begin_ += after + 1;
                    return Result::Line;
                }
                if (after < held || !more || after >= kReceiveBufferSize) {
                    crLine_.assign(start, i);
                    crLine_ += "\r\n";
                    line = crLine_;
                    begin_ += after;
                    return Result::Line;
                }
            } else if (held >= kReceiveBufferSize || !more) {
                // No terminator: 2048 bytes, or what is left at the end of the file without
                // its NUL padding.
                std::size_t length = window;
                if (!more && length == held) {
                    while (length > 0 && start[length - 1] == '\0') {
                        --length;
                    }
                }
                line = std::string_view(start, length);
                begin_ += window;
                return Result::Line;
            }
        }
        if (failed_) {
            return Result::Failed;
        }
        if (atEnd_ || !Refill()) {
            if (end_ - begin_ == 0 || (atEnd_ && !SkipPadding())) {
                return failed_ ? Result::Failed : Result::EndOfFile;
            }
        }
    }
}

bool RecordingLineReader::Refill() {
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
