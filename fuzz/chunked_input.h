// The input of the fuzzers that check a reader fed in pieces: the first byte seeds the sizes of
// the pieces, the rest is the stream. A reader must give the same result whether the stream
// arrives whole or cut at these sizes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orbex::fuzz {

class ChunkedInput {
  public:
    // `size` is at least 1.
    ChunkedInput(const std::uint8_t* data, std::size_t size)
        : seed_(data[0] * 2654435761u + 1),
          bytes_(reinterpret_cast<const char*>(data) + 1, size - 1) {}

    const std::string& bytes() const { return bytes_; }

    // The next piece's size, 1 to `largest`.
    std::size_t NextChunk(std::size_t largest) {
        seed_ = seed_ * 1103515245u + 12345u;
        return 1 + (seed_ >> 16) % largest;
    }

  private:
    std::uint32_t seed_;
    std::string bytes_;
};

}  // namespace orbex::fuzz
