// The NMEA sentences of the receiver, in its fixed-width layout: every present field has
// exactly the width the column-walking decoders read, an empty field is a lone comma, and the
// checksum is two upper-case hexadecimal digits. Lines are returned without a terminator.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/epoch_snapshot.h"

namespace orbex::sim {

// XOR of every character between the leading "$" and the "*" (or the end).
unsigned NmeaChecksum(std::string_view sentence);
// "$" + body + "*" + the checksum of the body.
std::string WithChecksum(std::string_view bodyWithDollar);

struct NmeaLayout {
    bool fourDigitMinutes = true;  // GGA latitude/longitude minute decimals: 4, else 3
};

std::string GgaSentence(const EpochSnapshot& e, const NmeaLayout& layout);
std::string GsaSentence(const EpochSnapshot& e);
std::vector<std::string> GsvSentences(const EpochSnapshot& e);
std::string VtgSentence(const EpochSnapshot& e);
std::string ZdaSentence(const EpochSnapshot& e);
std::string GllSentence(const EpochSnapshot& e);
std::string RmcSentence(const EpochSnapshot& e);
std::string PextSentence(const EpochSnapshot& e);
std::string PvlmSentence(const EpochSnapshot& e);
std::vector<std::string> PssstSentences(const EpochSnapshot& e);
std::string PsgsaSentence(const EpochSnapshot& e);

// The values a snapshot gives the receiver's own sentences (also written to the truth file).
int PextFlagDigits(const EpochSnapshot& e);  // three hexadecimal digits as one 12-bit number
int PvlmValue(const EpochSnapshot& e);
int PsgsaClockValue(const EpochSnapshot& e);
char PssstCode(const SatelliteView& s);

}  // namespace orbex::sim
