// DecodeLine: one received line (terminator included) into a zeroed ReceiverState.
#pragma once

#include <string_view>

#include "decode/receiver_state.h"

namespace orbex {

// Decodes one received line, terminator included. Every byte of `line` belongs to it, NUL bytes
// included (a replayed recording may hold any byte), so that every program that decodes a line
// shows the same result. Returns true when the line has a known shape and its decoder accepted
// it; otherwise sets the thread's system error code to kErrorInvalidBlock (9) and returns false.
// A native record, or a "$GPGGA" with a fix and a position, adds a position sample.
bool DecodeLine(ReceiverState& state, std::string_view line);

// The two fixed-column decoders; both always succeed. They read no column past the line's end:
// a short line leaves the missing fields empty.
void DecodeNativeRecord(ReceiverState& state, std::string_view line);
void DecodeFourChannelRecord(ReceiverState& state, std::string_view line);

// Lengths of the fixed-column records without their terminator.
inline constexpr std::size_t kNativeRecordLength = 148;
inline constexpr std::size_t kFourChannelRecordLength = 87;

}  // namespace orbex
