#include "cli/common/recording_lines.h"

#include <algorithm>

#include "link/line_framing.h"

namespace orbex {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

RecordingLineReader::RecordingLineReader(int fd, std::size_t blockSize)
    : block_(fd, std::max(blockSize, 2 * kReceiveBufferSize)) {}

bool RecordingLineReader::SkipPadding() {
    std::string_view held = block_.held();
    if (atStart_) {
        if (held.size() < kByteOrderMark.size() && kByteOrderMark.starts_with(held) &&
            block_.more()) {
            return false;  // the mark may be cut by the block's end
        }
        if (held.starts_with(kByteOrderMark)) {
            block_.Consume(kByteOrderMark.size());
            held.remove_prefix(kByteOrderMark.size());
        }
        atStart_ = false;
    }
    const std::size_t padding = std::min(held.find_first_not_of('\0'), held.size());
    block_.Consume(padding);
    return padding < held.size();
}

RecordingLineReader::Result RecordingLineReader::Next(std::string_view& line) {
    for (;;) {
        if (SkipPadding()) {
            const std::string_view held = block_.held();
            const std::size_t window = std::min(held.size(), kReceiveBufferSize);
            const bool more = block_.more();
            std::size_t i = 0;
            while (i < window && held[i] != '\n' && held[i] != '\r') {
                ++i;
            }
            if (i < window && held[i] == '\n') {
                line = held.substr(0, i + 1);
                block_.Consume(i + 1);
                return Result::Line;
            }
            if (i < window) {
                // A run of CRs: with a LF after it, it is part of the terminator; with any
                // other byte, or at the end of the file, the line ended in a bare CR.
                std::size_t after = i;
                while (after < held.size() && held[after] == '\r') {
                    ++after;
                }
                if (after < held.size() && held[after] == '\n') {
                    line = held.substr(0, after + 1);
                    block_.Consume(after + 1);
                    return Result::Line;
                }
                if (after < held.size() || !more || after >= kReceiveBufferSize) {
                    crLine_.assign(held.data(), i);
                    crLine_ += "\r\n";
                    line = crLine_;
                    block_.Consume(after);
                    return Result::Line;
                }
            } else if (held.size() >= kReceiveBufferSize || !more) {
                // No terminator: 2048 bytes, or what is left at the end of the file without
                // its NUL padding.
                std::size_t length = window;
                if (!more && length == held.size()) {
                    while (length > 0 && held[length - 1] == '\0') {
                        --length;
                    }
                }
                line = held.substr(0, length);
                block_.Consume(window);
                return Result::Line;
            }
        }
        if (block_.failed()) {
            return Result::Failed;
        }
        if (!block_.atEnd() && stop_ && stop_()) {
            return Result::Stopped;
        }
        if (block_.atEnd() || !block_.Refill()) {
            if (block_.held().empty() || (block_.atEnd() && !SkipPadding())) {
                return block_.failed() ? Result::Failed : Result::EndOfFile;
            }
        }
    }
}

}  // namespace orbex
