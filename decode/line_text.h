// A received line without its terminator. Lines are handed on with the terminator they arrived
// with: CR LF from the receiver, the single byte 0xDA, a bare LF from a recording made elsewhere,
// or CR CR LF from a data file written as a text stream. The last line of a recording may have
// none.
#pragma once

#include <string_view>

#include "link/line_framing.h"

namespace orbex {

// The line without a final 0xDA, or without a final LF and the CRs just before it.
inline std::string_view StripLineTerminator(std::string_view line) {
    if (!line.empty() && static_cast<unsigned char>(line.back()) == kAltLineTerminator) {
        line.remove_suffix(1);
        return line;
    }
    if (!line.empty() && line.back() == '\n') {
        line.remove_suffix(1);
        while (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
    }
    return line;
}

}  // namespace orbex
