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

#include <cstddef>
#include <string_view>

namespace orbex {

class FieldWalker {
  public:
    // `line` is the whole sentence; the walker starts on the comma at column `comma`, which
    // stands before the first field.
    FieldWalker(std::string_view line, std::size_t comma);

    // The next field, without its commas; empty when it is not present.
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

}  // namespace orbex
