// The sentence decoders. Each fills a zeroed record from the fields of one sentence whose tag
// the dispatcher has matched and, for every tag but "$GPGLL", whose checksum it has checked.
// The walker stands on the comma after the tag.
#pragma once

#include "decode/field_walker.h"
#include "decode/receiver_state.h"

namespace orbex {

void DecodeGga(ReceiverState& state, FieldWalker& fields);
void DecodeGll(ReceiverState& state, FieldWalker& fields);
void DecodeGsa(ReceiverState& state, FieldWalker& fields);
void DecodeGsv(ReceiverState& state, FieldWalker& fields);
void DecodeVtg(ReceiverState& state, FieldWalker& fields);
void DecodeZda(ReceiverState& state, FieldWalker& fields);

void DecodePext(ReceiverState& state, FieldWalker& fields);
void DecodePvlm(ReceiverState& state, FieldWalker& fields);
void DecodePssst(ReceiverState& state, FieldWalker& fields);
void DecodePsgsa(ReceiverState& state, FieldWalker& fields);

// The first channel slot that a message of a multi-message group fills: message 2 starts at
// slot 4, message 3 at slot 8, messages 4..127 at slot 12, any other number at slot 0.
int FirstSlotOfMessage(int messageNumber);

// What "$GPGSA" and "$PSGSA" both carry after their mode: twelve satellite numbers, 2 each, into
// member `prn` of the first twelve channel slots, then PDOP, HDOP and VDOP, 4 each, real.
void DecodeUsedSatellitesAndDops(FieldWalker& fields, SatelliteSlot (&slots)[kChannelCount],
                                 std::uint8_t SatelliteSlot::*prn, float& pdop, float& hdop,
                                 float& vdop);

}  // namespace orbex
