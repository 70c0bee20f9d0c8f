// The RFC 2217 client's reader fed arbitrary server bytes in arbitrary chunkings: the data
// bytes that reach the framing are exactly those a byte-at-a-time reference decoding gives,
// whatever the chunking; they never outnumber the input; the answers owed to the server stay
// in proportion to what it sent; and no negotiation holds more than its fixed bound.
//
// Input: the first byte seeds the chunk sizes, the rest is what the server sent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "fuzz/chunked_input.h"
#include "link/com_port_negotiation.h"
#include "link/telnet_reader.h"

namespace {

// Feeds `bytes` in chunks of the sizes `nextChunk` gives; returns the data bytes and the
// replies owed to the server.
template <typename NextChunk>
std::pair<std::string, std::string> Read(const std::string& bytes, NextChunk nextChunk) {
    orbex::ComPortNegotiation negotiation;
    std::string data;
    std::string replies;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t count = nextChunk();
        if (count > bytes.size() - at) {
            count = bytes.size() - at;
        }
        std::string chunk = bytes.substr(at, count);
        const std::size_t kept = negotiation.Take(chunk.data(), chunk.size(), replies);
        if (kept > chunk.size() || negotiation.Held() > orbex::TelnetReader::kMaxSubnegotiation) {
            std::abort();
        }
        data.append(chunk.data(), kept);
        at += count;
    }
    return {data, replies};
}

// The data bytes by the protocol's rule, without the reader: IAC IAC is 0xFF, IAC and a verb
// skip the option, IAC SB skips to IAC SE, any other IAC pair is dropped.
std::string Reference(const std::string& bytes) {
    using namespace orbex::telnet;
    std::string data;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        if (byte != kIac) {
            data.push_back(bytes[i++]);
            continue;
        }
        if (i + 1 >= bytes.size()) {
            break;
        }
        const auto command = static_cast<std::uint8_t>(bytes[i + 1]);
        if (command == kIac) {
            data.push_back(bytes[i]);
            i += 2;
        } else if (command >= kWill) {
            i += 3;
        } else if (command == kSb) {
            i += 2;
            // To the first IAC that is not doubled, and the byte after it.
            while (i < bytes.size()) {
                if (static_cast<std::uint8_t>(bytes[i]) == kIac) {
                    if (i + 1 < bytes.size() && static_cast<std::uint8_t>(bytes[i + 1]) == kIac) {
                        i += 2;
                        continue;
                    }
                    i += 2;
                    break;
                }
                ++i;
            }
        } else {
            i += 2;
        }
    }
    return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orbex::fuzz::ChunkedInput input(data, size);
    const std::string& bytes = input.bytes();

    const auto [whole, replies] = orbex::fuzz::SameWholeAndCut(
        input, bytes.size() + 1, 7, [&bytes](auto nextChunk) { return Read(bytes, nextChunk); });
    if (whole != Reference(bytes) || replies.size() > bytes.size()) {
        std::abort();
    }
    return 0;
}
