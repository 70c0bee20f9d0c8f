// One received line as a JSON object: the line, whether it decoded, the decoded record's
// non-zero fields and the position sample it added. Used by orbex-dump for batch decoding.
#pragma once

#include <string>
#include <string_view>

#include "decode/line_decoder.h"

namespace orbex {

// Decodes `line` (as received, terminator included) into a zeroed record with `decoder` and
// appends one JSON object and "\n" to `out`:
//   {"line":"...","ok":true,"state":{...},"sample":{"lat":...,"lon":...,"next":...}}
// "line" is the text without its terminator; "error" (the system error code) follows "ok"
// when the line did not decode; "state" holds every non-zero field of the record under its
// name (time fields as nested objects, the channel slots as arrays of 16 objects, one-character
// fields and character arrays as strings); "sample" appears only when the line added a
// position sample to the decoder's rings. Every byte of a text that is not printable ASCII is
// written as the \u00XX escape of that byte, so the output is valid UTF-8 whatever the line held.
void AppendDecodedLineJson(std::string& out, LineDecoder& decoder, std::string_view line);

}  // namespace orbex
