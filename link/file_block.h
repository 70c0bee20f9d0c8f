// The block buffer under the line readers of recording files: bytes read from a file in large
// blocks, with the unfinished line at the front kept when the next block is appended.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace orbex {

class FileBlock {
  public:
    // Reads from `fd` (not owned), `size` bytes at most per block.
    FileBlock(int fd, std::size_t size);

    // The bytes read and not yet consumed.
    std::string_view held() const { return {data_.data() + begin_, end_ - begin_}; }
    void Consume(std::size_t count) { begin_ += count; }

    // Reads more bytes behind what is held; false at end of file or on failure (then the
    // system error code holds the reason).
    bool Refill();

    bool atEnd() const { return atEnd_; }
    bool failed() const { return failed_; }
    // True while more bytes may still come from the file.
    bool more() const { return !atEnd_ && !failed_; }

  private:
    int fd_;
    std::vector<char> data_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
};

}  // namespace orbex
