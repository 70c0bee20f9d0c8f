// The receiver's own fixed-column records: the 150-byte native record ("SM" + version) and
// the 89-byte 4-channel record (first character "N"). Returned without the CR LF terminator
// (148 and 87 characters).
#pragma once

#include <string>

#include "sim/epoch_snapshot.h"

namespace orbex::sim {

inline constexpr const char* kNativeVersion = "SM1.04";
inline constexpr int kNativeTextLength = 148;
inline constexpr int kFourChannelTextLength = 87;

std::string NativeRecord(const EpochSnapshot& e);
std::string FourChannelRecord(const EpochSnapshot& e);

// The code characters of a native channel group.
char PrnCode(int prn);            // "A".."X" 1..24, "a".."h" 25..32
char ElevationCode(int degrees);  // "A" + tens of degrees
char AzimuthCode(int degrees);    // tens of degrees: "A".."S" 0..180, "b".."s" -10..-180
char ChannelStatusCode(const SatelliteView& s);  // "F" used, "C" locked, "B" searching
int LevelOfSnr(int snr);                         // the level bars' scale: SNR x 25 / 99
char DopCode(double pdop);                       // "A" below 1 .. "Q" 100 and above

// The 4-channel record's two-character channel status text and signal value.
const char* FourChannelStatusText(const SatelliteView& s);  // "LE" used, "L_" locked, "__"
int FourChannelSignal(const SatelliteView& s);              // level x 100 + SNR's tenth part

}  // namespace orbex::sim
