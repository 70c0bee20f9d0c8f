// DecodeLine on arbitrary bytes: any line a receiver or a recording may deliver, NUL bytes
// included, must decode or be refused without reading outside the line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "decode/decode_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so that a read past the line's end is caught.
    const std::string line(reinterpret_cast<const char*>(data), size);
    orbex::ReceiverState state{};
    const bool decoded = orbex::DecodeLine(state, line);
    orbex::ReceiverState again{};
    // Decoding is a function of the line alone.
    if (orbex::DecodeLine(again, line) != decoded) {
        std::abort();
    }
    return 0;
}
