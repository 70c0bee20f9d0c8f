// Builders for the lines the decoder tests feed: sentences with their checksum, and the two
// fixed-column records with chosen columns overwritten.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "decode/decode_line.h"
#include "tests/support/test_files.h"

namespace orbex::test {

// Overwrites the columns from `column` on with `text`.
inline void Put(std::string& line, std::size_t column, std::string_view text) {
    line.replace(column, text.size(), text);
}

// A native record (148 characters and CR LF) at 35 40 12.34 N, 139 45 67.85 E, 45 m.
inline std::string NativeRecord() {
    std::string line =
        "SMV104"         // 0 kind
        "2608153123456"  // 6 date, day code "3", time
        "N3540123"       // 19 latitude
        "E13945678"      // 27 longitude
        "00045012270"    // 36 altitude, speed, course
        "2608153123455"  // 47 time of the last position update
        "C4A";           // 60 DOP class, positioning mode, datum
    for (int k = 0; k < 16; ++k) {
        line += std::string{static_cast<char>('A' + k), 'J', 'c', 'C', static_cast<char>('B' + k)};
    }
    line += "1CEFZ\r\n";  // 143 flag, letter value, hundredths letters, last character
    return line;
}

// A 4-channel record (87 characters and CR LF).
inline std::string FourChannelRecord() {
    std::string line =
        "N 2608153123456"        // 0 kind, unused, date, day code, time
        "N3540123"               // 15 latitude
        "E13945678"              // 23 longitude
        "000450120270"           // 32 altitude, speed, course (4 digits)
        "05LE12L_23__31H_"       // 44 four channels: number, status text
        "_xyz"                   // 60 marker of channel 0, then three unused columns
        "3.2"                    // 64 DOP text (column 64 is also channel 1's marker)
        "01234008000005000200";  // 67 four signal values
    line += "\r\n";
    return line;
}

// Decodes `line` on its own (the tests that follow samples or the minutes flag decode through a
// LineDecoder of their own).
inline bool Decode(ReceiverState& state, const std::string& line) {
    return DecodeLine(state, line);
}

}  // namespace orbex::test
