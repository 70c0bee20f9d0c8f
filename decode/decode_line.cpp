// The line dispatcher: recognises a line by its length and first characters and hands it to
// its decoder.
#include "decode/decode_line.h"

#include <cstring>

#include "decode/decoding_state.h"
#include "decode/field_walker.h"
#include "decode/line_text.h"
#include "decode/nmea_checksum.h"
#include "decode/nmea_sentences.h"
#include "platform/system_error.h"

namespace orbex {

namespace {

struct SentenceDecoder {
    std::string_view tag;
    // Whether the checksum rule applies and the tag is recorded as the record's kind.
    bool checked;
    void (*decode)(ReceiverState& state, FieldWalker& fields);
};

// Compared in this order; the first tag the line begins with wins.
constexpr SentenceDecoder kSentenceDecoders[] = {
    {"$GPGGA", true, DecodeGga}, {"$GPGLL", false, DecodeGll},  {"$GPGSA", true, DecodeGsa},
    {"$GPGSV", true, DecodeGsv}, {"$GPVTG", true, DecodeVtg},   {"$PEXT", true, DecodePext},
    {"$PVLM", true, DecodePvlm}, {"$PSSST", true, DecodePssst}, {"$PSGSA", true, DecodePsgsa},
    {"$GPZDA", true, DecodeZda},
};

bool Fail() {
    SetSystemError(kErrorInvalidBlock);
    return false;
}

bool DecodeSentence(ReceiverState& state, std::string_view line) {
    for (const SentenceDecoder& decoder : kSentenceDecoders) {
        if (!line.starts_with(decoder.tag)) {
            continue;
        }
        if (decoder.checked) {
            if (!PassesNmeaChecksum(line)) {
                return Fail();
            }
            std::memcpy(state.kind, decoder.tag.data(), decoder.tag.size());
            state.kind[decoder.tag.size()] = '\0';
        }
        FieldWalker fields(line, decoder.tag.size());
        decoder.decode(state, fields);
        return true;
    }
    return Fail();
}

}  // namespace

bool DecodeLine(ReceiverState& state, std::string_view line) {
    // The fixed-column records are known by their length. The terminator is left out of it, so
    // that a record ending in 0xDA, in a bare LF or in none at all is still recognised.
    const std::size_t length = StripLineTerminator(line).size();
    if (length == kNativeRecordLength) {
        DecodeNativeRecord(state, line);
    } else if (length == kFourChannelRecordLength && (line[0] == 'N' || line[0] == 'O')) {
        DecodeFourChannelRecord(state, line);
    } else if (!DecodeSentence(state, line)) {
        return false;
    }
    if (line.starts_with("SM") || line.starts_with("$GPGGA")) {
        SharedDecodingState().samples.Add(state);
    }
    return true;
}

bool DecodeLine(ReceiverState& state, const char* line) {
    if (line == nullptr) {
        return Fail();
    }
    return DecodeLine(state, std::string_view(line));
}

}  // namespace orbex
