#include "link/line_framing.h"

#include <cstring>

namespace orbex {

namespace {

constexpr char kCr = 0x0D;
constexpr char kLf = 0x0A;

bool EndsLineAt(const char* bytes, std::size_t i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    return byte == kAltLineTerminator || (bytes[i] == kLf && i > 0 && bytes[i - 1] == kCr);
}

}  // namespace

std::size_t FindLineEnd(const char* bytes, std::size_t filled, std::size_t from) {
    for (std::size_t i = from; i < filled; ++i) {
        if (EndsLineAt(bytes, i)) {
            return i + 1;
        }
    }
    return 0;
}

bool IsPrintableLine(const char* bytes, std::size_t length) {
    if (length < 2) {
        return false;
    }
    for (std::size_t i = 0; i + 2 < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x20 || byte > 0x7E) {
            return false;
        }
    }
    return true;
}

bool LineFramer::Take(std::size_t count, const LineHandler& handleLine) {
    // Bytes held from earlier reads hold no terminator, but the byte before the new ones may
    // be the CR of a CR LF pair, which EndsLineAt looks back at.
    std::size_t searchFrom = filled_;
    filled_ += count;
    std::size_t lineStart = 0;
    while (std::size_t length =
               FindLineEnd(buffer_.data() + lineStart, filled_ - lineStart, searchFrom)) {
        handleLine(buffer_.data() + lineStart, length);
        lineStart += length;
        searchFrom = 0;
    }
    if (lineStart == 0) {
        if (filled_ == buffer_.size()) {
            // A full buffer without a terminator: hand it on whole and start again empty.
            handleLine(buffer_.data(), filled_);
            filled_ = 0;
        }
        return true;
    }
    std::memmove(buffer_.data(), buffer_.data() + lineStart, filled_ - lineStart);
    filled_ -= lineStart;
    return filled_ > 0;
}

}  // namespace orbex
