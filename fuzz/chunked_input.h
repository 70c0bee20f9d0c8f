// The input of the fuzzers that check a reader fed in pieces: the first byte seeds the sizes of
// the pieces, the rest is the stream. A reader must give the same result whether the stream
// arrives whole or cut at these sizes; SameWholeAndCut checks that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace orbex::fuzz {

class ChunkedInput {
  public:
    // An empty input is an empty stream.
    ChunkedInput(const std::uint8_t* data, std::size_t size)
        : seed_(size == 0 ? 1 : data[0] * 2654435761u + 1),
          bytes_(size == 0 ? std::string()
                           : std::string(reinterpret_cast<const char*>(data) + 1, size - 1)) {}

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

// Reads the stream twice with `read`, which takes a function giving the size of each next
// piece: once in pieces of `whole` bytes, once cut into pieces of 1 to `largest` bytes. Aborts
// unless both readings give the same result; returns it.
template <typename Read>
auto SameWholeAndCut(ChunkedInput& input, std::size_t whole, std::size_t largest, Read read) {
    const auto wholeResult = read([whole] { return whole; });
    const auto cutResult = read([&input, largest] { return input.NextChunk(largest); });
    if (wholeResult != cutResult) {
        std::abort();
    }
    return wholeResult;
}

}  // namespace orbex::fuzz
