// Line decoding on arbitrary bytes: any line a receiver or a recording may deliver, NUL bytes
// included, must decode or be refused without reading outside the line. The input is cut into
// lines after each LF and fed, line by line, to two decoders in turn: each must decode every
// line as the line alone decodes, and keep its own samples and minutes flag, the same in both.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "decode/decode_line.h"
#include "decode/line_decoder.h"

namespace {

orbex::ReceiverState Zeroed() {
    orbex::ReceiverState state;
    std::memset(static_cast<void*>(&state), 0, sizeof state);
    return state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    orbex::LineDecoder first;
    orbex::LineDecoder second;
    std::size_t start = 0;
    while (start < input.size()) {
        const std::size_t end = input.find('\n', start);
        const std::size_t length =
            end == std::string_view::npos ? input.size() - start : end + 1 - start;
        // An exact-size copy, so that a read past the line's end is caught.
        const std::string line(input.substr(start, length));
        start += length;

        orbex::ReceiverState alone = Zeroed();
        const bool decoded = orbex::DecodeLine(alone, line);
        for (orbex::LineDecoder* decoder : {&first, &second}) {
            orbex::ReceiverState state = Zeroed();
            if (decoder->Decode(state, line) != decoded ||
                std::memcmp(&state, &alone, sizeof state) != 0) {
                std::abort();
            }
            const std::int32_t next = decoder->samples().sampleNext();
            if (next < 0 || next > orbex::kPositionSampleCount) {
                std::abort();
            }
        }
        // Compared bit for bit: a NaN sample must still be the same in both.
        const orbex::PositionSamples& a = first.samples();
        const orbex::PositionSamples& b = second.samples();
        if (a.sampleNext() != b.sampleNext() ||
            first.ggaFourDigitMinutes() != second.ggaFourDigitMinutes() ||
            std::memcmp(&a.latSampleArcSec(), &b.latSampleArcSec(), sizeof a.latSampleArcSec()) !=
                0 ||
            std::memcmp(&a.lonSampleArcSec(), &b.lonSampleArcSec(), sizeof a.lonSampleArcSec()) !=
                0) {
            std::abort();
        }
    }
    return 0;
}
