// EncodeCommand on arbitrary typed text: the buffer form never writes past a buffer of any
// size, a buffer of the text's length plus 3 always holds the whole result, and both forms
// agree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "link/encode_command.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string encoded = orbex::EncodeCommand(text);
    if (encoded.size() > size + 2) {
        std::abort();
    }
    const std::size_t roomy = size + 3;
    const auto buffer = std::make_unique<char[]>(roomy);
    if (orbex::EncodeCommand(text, buffer.get(), roomy) != encoded.size() ||
        std::memcmp(buffer.get(), encoded.data(), encoded.size()) != 0 ||
        buffer[encoded.size()] != '\0') {
        std::abort();
    }
    // A short buffer of exactly its size: any overrun is a heap overflow.
    const std::size_t small = size == 0 ? 0 : data[0] % (size + 1);
    const auto shortBuffer = std::make_unique<char[]>(small);
    const std::size_t cut = orbex::EncodeCommand(text, shortBuffer.get(), small);
    if (small > 0 && (cut >= small || std::memcmp(shortBuffer.get(), encoded.data(), cut) != 0)) {
        std::abort();
    }
    return 0;
}
