// The line dispatcher: recognises a line by its length and first characters and hands it to
// its decoder.
#include "decode/decode_line.h"

#include <algorithm>
#include <cstring>

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
    // Whether the GNSS talkers' twins ("$GNGGA", "$GLGGA", ...) are read the same way.
    bool gnssTwins;
    void (*decode)(ReceiverState& state, FieldWalker& fields);
};

// Compared in this order; the first tag the line begins with wins.
constexpr SentenceDecoder kSentenceDecoders[] = {
    {"$GPGGA", true, true, DecodeGga},    {"$GPGLL", false, false, DecodeGll},
    {"$GPGSA", true, false, DecodeGsa},   {"$GPGSV", true, false, DecodeGsv},
    {"$GPVTG", true, true, DecodeVtg},    {"$PEXT", true, false, DecodePext},
    {"$PVLM", true, false, DecodePvlm},   {"$PSSST", true, false, DecodePssst},
    {"$PSGSA", true, false, DecodePsgsa}, {"$GPZDA", true, true, DecodeZda},
};

// Whether the line begins with the tag of a multi-constellation receiver's talker: "$GN"
// (GNSS, mixed), "$GL" (GLONASS), "$GA" (Galileo), "$GB" (BeiDou) or "$GQ" (QZSS), and has room
// for a sentence type after it. Compared byte by byte: this runs for every line.
bool IsGnssTalker(std::string_view line) {
    if (line.size() < 6 || line[0] != '$' || line[1] != 'G') {
        return false;
    }
    const char c = line[2];
    return c == 'N' || c == 'L' || c == 'A' || c == 'B' || c == 'Q';
}

// Whether the sentence type after the talker ("GGA" of "$GNGGA") is `type`.
bool HasSentenceType(std::string_view line, const char (&type)[4]) {
    return line[3] == type[0] && line[4] == type[1] && line[5] == type[2];
}

// Whether a GNSS talker's line begins with the twin of the decoder's tag.
bool IsTwinOf(const SentenceDecoder& decoder, std::string_view line) {
    const std::string_view tag = decoder.tag;
    return decoder.gnssTwins && line[3] == tag[3] && line[4] == tag[4] && line[5] == tag[5];
}

// Sentences of those talkers that are recognised but carry nothing the windows read (their
// satellites are not GPS satellites), taken like "$GPGLL": no check, an all-zero record.
bool IsIgnoredGnssSentence(std::string_view line) {
    return HasSentenceType(line, "GSA") || HasSentenceType(line, "GSV") ||
           HasSentenceType(line, "RMC") || HasSentenceType(line, "GNS") ||
           HasSentenceType(line, "GLL");
}

bool Fail() {
    SetSystemError(kErrorInvalidBlock);
    return false;
}

// Whether `line` begins with `tag`, byte by byte: most tags differ from the line within their
// first characters, which a library comparison of the whole tag does not exploit.
bool BeginsWith(std::string_view line, std::string_view tag) {
    if (line.size() < tag.size()) {
        return false;
    }
    for (std::size_t i = 0; i < tag.size(); ++i) {
        if (line[i] != tag[i]) {
            return false;
        }
    }
    return true;
}

bool DecodeSentence(ReceiverState& state, std::string_view line) {
    const bool gnss = IsGnssTalker(line);
    for (const SentenceDecoder& decoder : kSentenceDecoders) {
        if (!BeginsWith(line, decoder.tag) && !(gnss && IsTwinOf(decoder, line))) {
            continue;
        }
        if (decoder.checked) {
            if (!PassesNmeaChecksum(line)) {
                return Fail();
            }
            // The line's own tag: a GNSS talker's twin keeps its talker.
            std::memcpy(state.kind, line.data(), decoder.tag.size());
            state.kind[decoder.tag.size()] = '\0';
        }
        FieldWalker fields(line, decoder.tag.size());
        decoder.decode(state, fields);
        return true;
    }
    return gnss && IsIgnoredGnssSentence(line) ? true : Fail();
}

}  // namespace

LineShape DecodeLineShape(ReceiverState& state, std::string_view line) {
    // The fixed-column records are known by their length. The terminator is left out of it, so
    // that a record ending in 0xDA, in a bare LF or in none at all is still recognised.
    const std::size_t length = StripLineTerminator(line).size();
    if (length == kNativeRecordLength) {
        DecodeNativeRecord(state, line);
        return LineShape::NativeRecord;
    }
    if (length == kFourChannelRecordLength && (line[0] == 'N' || line[0] == 'O')) {
        DecodeFourChannelRecord(state, line);
        return LineShape::FourChannelRecord;
    }
    return DecodeSentence(state, line) ? LineShape::Sentence : LineShape::Refused;
}

}  // namespace orbex
