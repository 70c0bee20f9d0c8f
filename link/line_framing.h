// How received bytes become lines. A line ends with a CR LF pair or with the single byte
// 0xDA, terminator included in the line; 2048 bytes without a terminator are handed on as
// one line so that reception never stalls.
#pragma once

#include <array>
#include <cstddef>
#include <functional>

namespace orbex {

inline constexpr std::size_t kReceiveBufferSize = 2048;
inline constexpr unsigned char kAltLineTerminator = 0xDA;

// The length (terminator included) of the first line among the `filled` bytes, or 0 when no
// terminator is there. Searching starts at `from`: bytes before it are known to hold none.
std::size_t FindLineEnd(const char* bytes, std::size_t filled, std::size_t from = 0);

// A line is queued only when every byte but its last two (normally CR LF; for a 0xDA line
// the last text byte and the 0xDA) lies in 0x20..0x7E. A line of fewer than two bytes (a
// lone 0xDA) carries no text and is not printable.
bool IsPrintableLine(const char* bytes, std::size_t length);

// The serial reader's receive buffer: a read puts bytes at WritePosition(), at most Space()
// of them, and Take() hands on every line they complete.
class LineFramer {
  public:
    using LineHandler = std::function<void(const char* line, std::size_t length)>;

    char* WritePosition() { return buffer_.data() + filled_; }
    std::size_t Space() const { return buffer_.size() - filled_; }
    std::size_t Held() const { return filled_; }
    void Clear() { filled_ = 0; }

    // Takes `count` bytes just written at WritePosition() and calls `handleLine` for each
    // line, in order. Returns true when the reader should read again at once (bytes of an
    // unfinished line are held), false when the buffer is empty and it may wait.
    bool Take(std::size_t count, const LineHandler& handleLine);

  private:
    std::array<char, kReceiveBufferSize> buffer_;
    std::size_t filled_ = 0;
};

}  // namespace orbex
