#include "link/encode_command.h"

#include <vector>

namespace orbex {

namespace {

// One escape digit: c - 7 above "9", else c, modulo 16 ("0"-"9", "A"-"F", "a"-"f" give hex).
unsigned EscapeDigit(unsigned char c) {
    return (c > '9' ? c - 7u : c) % 16u;
}

}  // namespace

bool IsCodePage932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t EncodeCommand(std::string_view text, char* buffer, std::size_t bufferSize) {
    if (bufferSize == 0) {
        return 0;
    }
    const std::size_t capacity = bufferSize - 1;  // one byte stays for the NUL
    std::size_t count = 0;
    auto put = [&](char byte) {
        if (count < capacity) {
            buffer[count++] = byte;
        }
    };
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // Character boundaries are followed from the start, so a trail byte that happens to
        // lie in the lead-byte range never makes the next backslash look like a trail byte.
        if (IsCodePage932LeadByte(byte) && i + 1 < text.size()) {
            put(text[i]);
            put(text[i + 1]);
            i += 2;
            continue;
        }
        if (byte != '\\') {
            put(text[i]);
            ++i;
            continue;
        }
        const std::size_t left = text.size() - i - 1;  // characters after the backslash
        if (left == 0) {
            buffer[count] = '\0';
            return count;  // a trailing backslash: the text alone, no line end
        }
        if (text[i + 1] == '\\') {
            put('\\');
            i += 2;
        } else if (left == 1) {
            put(text[i + 1]);
            i += 2;
        } else {
            const unsigned high = EscapeDigit(static_cast<unsigned char>(text[i + 1]));
            const unsigned low = EscapeDigit(static_cast<unsigned char>(text[i + 2]));
            put(static_cast<char>(high << 4 | low));
            i += 3;
        }
    }
    if (capacity - count >= 2) {
        buffer[count++] = '\r';
        buffer[count++] = '\n';
    }
    buffer[count] = '\0';
    return count;
}

std::string EncodeCommand(std::string_view text) {
    std::vector<char> buffer(text.size() + 3);
    std::size_t count = EncodeCommand(text, buffer.data(), buffer.size());
    return std::string(buffer.data(), count);
}

}  // namespace orbex
