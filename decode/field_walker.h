// Walks the fields of one sentence by their commas.
//
// A field is the text between the comma that precedes it and the next comma (or the end of the
// fields); an empty field is a comma directly after the previous one. The VM8140 writes every
// field at its fixed width, so for its sentences a field is exactly those characters; other
// receivers write other widths ("hhmmss.ss" times, five decimals of minutes, altitudes of any
// width), and finding each field by its commas reads their real values instead of shifted ones.
//
// The fields end at the "*" of the checksum, or at the line's end when there is none. A field
// cut short by that end holds what is left; every field after it is empty. Nothing past the end
// is ever read.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace orbex {

class FieldWalker {
  public:
    // `line` is the whole sentence; the walker starts on the comma at column `comma`, which
    // stands before the first field.
    FieldWalker(std::string_view line, std::size_t comma);

    // The next field, without its commas; empty when it is not present. Inline: the decoders
    // call it for every field of every sentence.
    std::string_view Next();
    // Skips the next field.
    void Skip() { (void)Next(); }

    // Whether the next field is present (its first column is neither a comma nor the end).
    bool NextPresent() const;

    // The fields' text: the line up to, not including, its first "*".
    std::string_view fields() const { return fields_; }

  private:
    std::string_view fields_;
    std::size_t position_;  // column of the comma before the next field; at most fields_.size()
};

namespace field_walker_detail {

// The offset of the first comma in the eight bytes at `at`, or 8 when there is none: the
// bytes are compared all at once (a comma gives a zero byte after the exclusive or, and the
// borrow of the subtraction marks the first zero byte's top bit).
inline std::size_t CommaInEightBytes(const char* at) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kTops = 0x8080808080808080ULL;
    std::uint64_t bytes;
    std::memcpy(&bytes, at, sizeof bytes);
    const std::uint64_t commas = bytes ^ (kOnes * ',');
    const std::uint64_t found = (commas - kOnes) & ~commas & kTops;
    return found == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(found)) / 8;
}

}  // namespace field_walker_detail

inline std::string_view FieldWalker::Next() {
    const char* const data = fields_.data();
    const std::size_t size = fields_.size();
    const std::size_t start = position_ < size ? position_ + 1 : size;
    std::size_t end = start;
    // Eight bytes at a time where eight remain (a field is most often shorter), then byte by
    // byte. The byte order of the machine decides which byte is first.
    if constexpr (std::endian::native == std::endian::little) {
        while (end + 8 <= size) {
            const std::size_t comma = field_walker_detail::CommaInEightBytes(data + end);
            end += comma;
            if (comma < 8) {
                position_ = end;
                return std::string_view(data + start, end - start);
            }
        }
    }
    while (end < size && data[end] != ',') {
        ++end;
    }
    position_ = end;
    return std::string_view(data + start, end - start);
}

}  // namespace orbex
