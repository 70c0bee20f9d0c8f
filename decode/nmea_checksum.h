// The sentence checksum rule: the XOR of every character after the leading "$" up to, not
// including, the first "*" must equal the two characters after the "*", read as upper-case
// hexadecimal digits. A sentence without "*", with fewer than two characters after it, or with
// any other character there (lower-case digits included) fails.
#pragma once

#include <string_view>

namespace orbex {

bool PassesNmeaChecksum(std::string_view sentence);

}  // namespace orbex
