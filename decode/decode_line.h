// DecodeLine: one received line (terminator included) into a zeroed ReceiverState, on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "decode/receiver_state.h"

namespace orbex {

// Which decoder took a line.
enum class LineShape : std::uint8_t {
    Refused,            // none: an unknown shape, or a sentence its decoder refused
    NativeRecord,       // the fixed-column native record (its length)
    FourChannelRecord,  // the fixed-column 4-channel record
    Sentence,           // an NMEA sentence (recognised, perhaps ignored)
};

// Decodes one received line, terminator included, on its own. Every byte of `line` belongs to
// it, NUL bytes included (a replayed recording may hold any byte), so that every program that
// decodes a line shows the same result. Returns the decoder that took the line; for Refused it
// sets the thread's system error code to kErrorInvalidBlock (9). What carries over from line to
// line (the position samples, the minutes flag, the beep) is not touched here: programs decode
// through their LineDecoder, which keeps it.
LineShape DecodeLineShape(ReceiverState& state, std::string_view line);

// DecodeLineShape, true when the line decoded.
inline bool DecodeLine(ReceiverState& state, std::string_view line) {
    return DecodeLineShape(state, line) != LineShape::Refused;
}

// The two fixed-column decoders; both always succeed. They read no column past the line's end:
// a short line leaves the missing fields empty.
void DecodeNativeRecord(ReceiverState& state, std::string_view line);
void DecodeFourChannelRecord(ReceiverState& state, std::string_view line);

// Lengths of the fixed-column records without their terminator.
inline constexpr std::size_t kNativeRecordLength = 148;
inline constexpr std::size_t kFourChannelRecordLength = 87;

}  // namespace orbex
