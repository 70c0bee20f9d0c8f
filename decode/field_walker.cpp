#include "decode/field_walker.h"

#include <algorithm>

namespace orbex {

FieldWalker::FieldWalker(std::string_view line, std::size_t comma)
    : fields_(line.substr(0, line.find('*'))), position_(std::min(comma, fields_.size())) {}

std::string_view FieldWalker::Next(std::size_t width) {
    if (IsFieldEnd(0)) {
        // An empty field: the walker moves onto the comma that stands in its place.
        position_ = std::min(position_ + 1, fields_.size());
        return {};
    }
    const std::size_t start = position_ + 1;
    const std::string_view field = fields_.substr(start, width);
    position_ = std::min(start + width, fields_.size());
    return field;
}

char FieldWalker::PeekNext(std::size_t offset) const {
    const std::size_t column = position_ + 1 + offset;
    return column < fields_.size() ? fields_[column] : '\0';
}

bool FieldWalker::IsFieldEnd(std::size_t offset) const {
    const std::size_t column = position_ + 1 + offset;
    return column >= fields_.size() || fields_[column] == ',';
}

}  // namespace orbex
