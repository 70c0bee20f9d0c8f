// The serial framing fed arbitrary bytes in arbitrary chunkings: every byte comes out in a
// line or stays held, in order, and the lines do not depend on how the reads were cut.
//
// Input: the first byte seeds the chunk sizes, the rest is what the receiver sent.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/chunked_input.h"
#include "link/line_framing.h"

namespace {

// Frames `bytes` with reads of the sizes `nextChunk` gives (at most what the buffer can take,
// as the serial reader asks); returns the lines, and the bytes left held.
template <typename NextChunk>
std::pair<std::vector<std::string>, std::string> Frame(const std::string& bytes,
                                                       NextChunk nextChunk) {
    orbex::LineFramer framer;
    std::vector<std::string> lines;
    const orbex::LineFramer::LineHandler collect = [&](const char* line, std::size_t length) {
        if (length == 0 || length > orbex::kReceiveBufferSize) {
            std::abort();
        }
        lines.emplace_back(line, length);
    };
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t count = std::min({nextChunk(), framer.Space(), bytes.size() - at});
        std::memcpy(framer.WritePosition(), bytes.data() + at, count);
        framer.Take(count, collect);
        at += count;
    }
    return {lines, std::string(framer.WritePosition() - framer.Held(), framer.Held())};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orbex::fuzz::ChunkedInput input(data, size);
    const std::string& bytes = input.bytes();

    const auto [whole, heldWhole] =
        orbex::fuzz::SameWholeAndCut(input, orbex::kReceiveBufferSize, 97,
                                     [&bytes](auto nextChunk) { return Frame(bytes, nextChunk); });
    std::string joined;
    for (const std::string& line : whole) {
        // Every line but a full-buffer cut ends in a terminator.
        const bool terminated =
            static_cast<unsigned char>(line.back()) == orbex::kAltLineTerminator ||
            (line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0);
        if (!terminated && line.size() != orbex::kReceiveBufferSize) {
            std::abort();
        }
        joined += line;
    }
    if (joined + heldWhole != bytes) {
        std::abort();
    }
    return 0;
}
