// The line dispatcher: recognises a line by its length and first characters and hands it to
// its decoder.
#include "decode/decode_line.h"

#include <algorithm>
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

// Whether a "$GPGGA" carries a fix: its quality field is present and not "0", and its latitude
// and longitude fields are not empty. Before their first fix receivers send the sentence every
// second with empty fields, which must not add a sample at (0, 0). The fields are found by their
// commas, so that a receiver writing other widths is judged by what it sent.
bool GgaHasFix(std::string_view line) {
    line = line.substr(0, line.find('*'));
    // $GPGGA,time,latitude,N,longitude,E,quality,
    std::string_view fields[7];
    std::size_t count = 0;
    for (std::size_t start = 0; count < 7 && start <= line.size(); ++count) {
        const std::size_t comma = std::min(line.find(',', start), line.size());
        fields[count] = line.substr(start, comma - start);
        start = comma + 1;
    }
    const std::string_view quality = count == 7 ? StripLineTerminator(fields[6]) : "";
    return !fields[2].empty() && !fields[4].empty() && !quality.empty() && quality != "0";
}

// Native records always add a sample; a "$GPGGA" only with a fix.
bool AddsPositionSample(std::string_view line) {
    if (line.starts_with("SM")) {
        return true;
    }
    return line.starts_with("$GPGGA") && GgaHasFix(line);
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
    if (AddsPositionSample(line)) {
        SharedDecodingState().samples.Add(state);
    }
    return true;
}

}  // namespace orbex
