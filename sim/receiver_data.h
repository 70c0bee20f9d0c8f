// The data blocks the receiver holds and exchanges with the tools: almanac (64 lines) and
// ephemeris (96 lines), and the GSM / W-CDMA assistance block with its time-stamped header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hex_digit.h"
#include "sim/sim_time.h"

namespace orbex::sim {

inline constexpr int kAlmanacLines = 64;
inline constexpr int kEphemerisLines = 96;

// Lines "ALMpp,k,<32 hex digits>*CS" (two per satellite 1..32) and "EPHpp,k,...*CS" (three per
// satellite), generated from the seed; the checksum is the NMEA one over the line before "*".
std::vector<std::string> GenerateAlmanac(std::uint64_t seed);
std::vector<std::string> GenerateEphemeris(std::uint64_t seed);
// True when a data line has the shape and checksum of those lines, with the given prefix.
bool IsDataLine(std::string_view line, std::string_view prefix);

// CRC-16/XMODEM over the bytes that pairs of hexadecimal characters encode (high nibble
// first; a character that is not a hexadecimal digit counts as 0; an odd last character is
// the high nibble of a last byte).
std::uint16_t AssistCheckCode(std::string_view hexText);

enum class AssistNetwork { kGsm, kWcdma };

struct AssistLayout {
    const char* name;          // "ASO" / "SIO": the dump command's name
    const char* uploadName;    // "ASI" / "SII"
    std::size_t countColumn;   // satellite-count character: number of satellites - 1
    std::size_t coveredChars;  // hexadecimal characters covered by the check code
    std::size_t stampColumn;   // first character of the time stamp
    std::size_t stampChars;    // its length
    int linesPerSatellite;     // data lines per satellite after the header
};
const AssistLayout& LayoutOf(AssistNetwork network);

struct AssistBlock {
    std::string header;  // time stamp, data, count character, check code (4 upper-case digits)
    std::vector<std::string> lines;
};

// A block for `satellites` (1..16) satellites stamped with time t.
AssistBlock GenerateAssist(AssistNetwork network, int satellites, SimMillis t, std::uint64_t seed);
// The time stamp of a header: week (10 bits) and time of week in seconds.
struct AssistStamp {
    int week = 0;
    double timeOfWeekSeconds = 0;
};
AssistStamp ReadAssistStamp(AssistNetwork network, std::string_view header);
std::string AssistStampText(AssistNetwork network, SimMillis t);

// The verdict on an uploaded block: the header's check code, its time stamp week against the
// receiver's week at time t (one week either side is accepted: the tools' week count may roll
// over on another day of the week than the receiver's), and the number of data lines.
struct AssistVerdict {
    bool ok = false;
    std::string text;  // the reply line, "[ASI] OK ..." or "[ASI] Err ..."
};
int ExpectedAssistLines(AssistNetwork network, std::string_view header);  // -1: no count character
AssistVerdict CheckAssistUpload(AssistNetwork network, std::string_view header,
                                const std::vector<std::string>& lines, SimMillis t);

}  // namespace orbex::sim
