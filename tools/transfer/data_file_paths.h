// Where the almanac and ephemeris files lie: AL.DAT and EP.DAT in the program's directory, or,
// when the settings store holds FILEPATH under ALMANAC, that file for the almanac and EP.DAT in
// the same folder for the ephemeris (a FILEPATH whose name is EP.DAT holds the ephemeris, and
// the almanac is AL.DAT beside it). The acquisition writes and the transmission reads the same
// two files, so an ephemeris acquisition never overwrites the stored almanac and "both" sends
// each kind of data as what it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tools/common/data_transfer_mode.h"

namespace orbex {

inline constexpr const char* kAlmanacFileName = "AL.DAT";
inline constexpr const char* kEphemerisFileName = "EP.DAT";

struct TransmissionFiles {
    std::string almanac;
    std::string ephemeris;
};

// From the stored FILEPATH (if any) and the program's directory (ending in "/").
TransmissionFiles DataFilePaths(const std::optional<std::string>& filePath,
                                const std::string& programDirectory);
std::string AcquisitionFilePath(std::uint8_t mode, const std::optional<std::string>& filePath,
                                const std::string& programDirectory);
TransmissionFiles TransmissionFilePaths(const std::optional<std::string>& filePath,
                                        const std::string& programDirectory);

// The same from the settings store and the program's directory of this process.
std::optional<std::string> StoredAlmanacFilePath();
std::string AcquisitionFilePath(std::uint8_t mode);
TransmissionFiles TransmissionFilePaths();

}  // namespace orbex
