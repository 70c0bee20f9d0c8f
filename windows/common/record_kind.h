// Which line a decoded record came from, told by its `kind`: the maker's native records (their
// version text, beginning "SM", "D0" or "C6"), the 4-channel record ("N" or "O") and the NMEA
// sentences (their tag). Every monitor window chooses its update rule and its page by these
// tests, so they are written once, here.
#pragma once

#include <cstring>
#include <string_view>

#include "decode/receiver_state.h"

namespace orbex {

// The kind as text, never read past its array.
inline std::string_view KindOf(const ReceiverState& record) {
    return {record.kind, strnlen(record.kind, sizeof record.kind)};
}

inline bool KindBegins(std::string_view kind, std::string_view prefix) {
    return kind.starts_with(prefix);
}
inline bool KindBegins(const ReceiverState& record, std::string_view prefix) {
    return KindBegins(KindOf(record), prefix);
}

// The maker's native records, "SM" and the other versions that share its layout.
inline bool IsNativeKind(std::string_view kind) {
    return KindBegins(kind, "SM") || KindBegins(kind, "D0") || KindBegins(kind, "C6");
}
inline bool IsNativeRecord(const ReceiverState& record) {
    return IsNativeKind(KindOf(record));
}

// The native record of the "SM" version, which carries its own DOP class and dates.
inline bool IsSmRecord(const ReceiverState& record) {
    return KindBegins(record, "SM");
}

// The 89-byte 4-channel record.
inline bool IsFourChannelRecord(const ReceiverState& record) {
    const std::string_view kind = KindOf(record);
    return kind == "N" || kind == "O";
}

// Whether `kind` is the twin of a "$GP" position, speed or time tag of a multi-constellation
// receiver's talker: "$GNGGA", "$GLGGA", "$GAGGA", "$GBGGA" or "$GQGGA" for "$GPGGA", and the
// same for "$GPVTG" and "$GPZDA". Satellite sentences have no twins here: other talkers'
// satellite numbers are not GPS satellites.
inline bool IsGnssTwin(std::string_view kind, std::string_view tag) {
    if (kind.size() != 6 || tag.size() != 6 || !kind.starts_with("$G") || !tag.starts_with("$GP")) {
        return false;
    }
    const std::string_view type = tag.substr(3);
    const char talker = kind[2];
    return (type == "GGA" || type == "VTG" || type == "ZDA") && kind.substr(3) == type &&
           (talker == 'N' || talker == 'L' || talker == 'A' || talker == 'B' || talker == 'Q');
}

// One NMEA sentence by its tag ("$GPGGA"); the GNSS talkers' position, speed and time
// sentences are read as their GPS twins (their own tag stays in `kind`).
inline bool IsSentence(const ReceiverState& record, std::string_view tag) {
    const std::string_view kind = KindOf(record);
    return kind == tag || IsGnssTwin(kind, tag);
}

}  // namespace orbex
