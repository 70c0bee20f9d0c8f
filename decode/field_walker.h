// Walks the fields of one sentence by the receiver's fixed field widths.
//
// The receiver writes every field at its fixed width, so a field is read as the `width`
// characters after the comma that precedes it, and the walker then stands on the character
// after those (the comma that ends a well-formed field). A field is empty when a comma stands
// where it would begin. Fields are not split on commas in general: a field wider or narrower
// than its width shifts every later one, as the receiver's own tools do.
//
// The fields end at the "*" of the checksum, or at the line's end when there is none. A field
// cut short by that end holds what is left; every field after it is empty. Nothing past the end
// is ever read.
#pragma once

#include <cstddef>
#include <string_view>

namespace orbex {

class FieldWalker {
  public:
    // `line` is the whole sentence; the walker starts on the comma at column `comma`, which
    // stands before the first field.
    FieldWalker(std::string_view line, std::size_t comma);

    // The next field, `width` characters when present; empty when it is not.
    std::string_view Next(std::size_t width);
    // Skips the next field.
    void Skip(std::size_t width) { (void)Next(width); }

    // Whether the next field is present (its first column is neither a comma nor the end).
    bool NextPresent() const { return !IsFieldEnd(0); }
    // The character `offset` columns into the next field, or 0 at or past the end.
    char PeekNext(std::size_t offset) const;
    // Whether the column `offset` columns into the next field ends a field: a comma, or the end
    // of the fields.
    bool IsFieldEnd(std::size_t offset) const;

    // The fields' text: the line up to, not including, its first "*".
    std::string_view fields() const { return fields_; }

  private:
    std::string_view fields_;
    std::size_t position_;  // column of the comma before the next field; at most fields_.size()
};

}  // namespace orbex
