#include "decode/field_walker.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace orbex {

FieldWalker::FieldWalker(std::string_view line, std::size_t comma)
    : fields_(line.substr(0, line.find('*'))), position_(std::min(comma, fields_.size())) {}

namespace {

// The offset of the first comma in the eight bytes at `at`, or 8 when there is none: the
// bytes are compared all at once (a comma gives a zero byte after the exclusive or, and the
// borrow of the subtraction marks the first zero byte's top bit).
std::size_t CommaInEightBytes(const char* at) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kTops = 0x8080808080808080ULL;
    std::uint64_t bytes;
    std::memcpy(&bytes, at, sizeof bytes);
    const std::uint64_t commas = bytes ^ (kOnes * ',');
    const std::uint64_t found = (commas - kOnes) & ~commas & kTops;
    return found == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(found)) / 8;
}

}  // namespace

std::string_view FieldWalker::Next() {
    const std::size_t start = std::min(position_ + 1, fields_.size());
    std::size_t end = start;
    // Eight bytes at a time where eight remain (a field is most often shorter), then byte by
    // byte. The byte order of the machine decides which byte is first.
    if constexpr (std::endian::native == std::endian::little) {
        while (end + 8 <= fields_.size()) {
            const std::size_t comma = CommaInEightBytes(fields_.data() + end);
            end += comma;
            if (comma < 8) {
                position_ = end;
                return fields_.substr(start, end - start);
            }
        }
    }
    while (end < fields_.size() && fields_[end] != ',') {
        ++end;
    }
    position_ = end;
    return fields_.substr(start, end - start);
}

bool FieldWalker::NextPresent() const {
    const std::size_t column = position_ + 1;
    return column < fields_.size() && fields_[column] != ',';
}

}  // namespace orbex
