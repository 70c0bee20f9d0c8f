// The truth file: one JSON object per line sent, with the values the simulator meant to
// encode, so tests can hold decoder output against them. Shape of an epoch line:
//   {"seq":7,"time":"2026-06-01T12:00:01Z","tag":"$GPGGA","text":"$GPGGA,...","decodes":true,
//    "fix":true,"fixQuality":"1","latArcSec":128452.45,"lonArcSec":503161.65,"altitude":41.2,
//    "speedKmh":0.3,"course":212.4,"pdop":1.6,"hdop":0.9,"vdop":1.3,"satellitesUsed":9,
//    "satellitesInView":11,"satellites":[{"prn":3,"elevation":41,"azimuth":118,"snr":44,
//    "used":true,"doppler":-1203},...], ...format extras}
// Reply lines carry seq, time, "tag":"reply", text and "decodes"; a fault adds "fault".
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "sim/epoch_snapshot.h"

namespace orbex::sim {

std::string JsonString(std::string_view text);  // quoted, escaped; bytes >= 0x7F as \u00XX

struct TruthLine {
    std::string tag;          // "$GPGGA", "SM1.04", "N", "reply", "run"
    std::string text;         // the line as sent, without terminator
    bool decodes = true;      // DecodeLine will accept it once the link has queued it
    std::string fault;        // empty, "bad-checksum", "unprintable", "da-terminator", ...
    std::string extraFields;  // further ',"name":value' members for the format
};

class TruthWriter {
  public:
    explicit TruthWriter(std::ostream* out) : out_(out) {}

    // Writes one object; `epoch` is null for reply lines.
    void Write(const TruthLine& line, SimMillis t, const EpochSnapshot* epoch);
    long written() const { return seq_; }

  private:
    std::ostream* out_;
    long seq_ = 0;
};

}  // namespace orbex::sim
