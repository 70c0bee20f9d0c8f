// DecodeLine: one received line (terminator included) into a zeroed ReceiverState.
#pragma once

#include "decode/receiver_state.h"

namespace orbex {

// Decodes a NUL-terminated line, terminator included. Returns true when the line has a known
// shape and its decoder accepted it; otherwise sets the thread's system error code to
// kErrorInvalidBlock (9) and returns false. A native record or "$GPGGA" adds a position sample.
bool DecodeLine(ReceiverState& state, const char* line);

// The two fixed-column decoders; both always succeed.
void DecodeNativeRecord(ReceiverState& state, const char* line);
void DecodeFourChannelRecord(ReceiverState& state, const char* line);

}  // namespace orbex
