#include "decode/field_walker.h"

#include <algorithm>

namespace orbex {

FieldWalker::FieldWalker(std::string_view line, std::size_t comma)
    : fields_(line.substr(0, line.find('*'))), position_(std::min(comma, fields_.size())) {}

bool FieldWalker::NextPresent() const {
    const std::size_t column = position_ + 1;
    return column < fields_.size() && fields_[column] != ',';
}

}  // namespace orbex
