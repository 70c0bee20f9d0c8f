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

// One NMEA sentence by its tag ("$GPGGA").
inline bool IsSentence(const ReceiverState& record, std::string_view tag) {
    return KindOf(record) == tag;
}

}  // namespace orbex
