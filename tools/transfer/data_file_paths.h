// Where the almanac and ephemeris files lie. The acquisition writes to the settings store's
// FILEPATH under ALMANAC when it holds one (for almanac and ephemeris alike), otherwise to
// AL.DAT or EP.DAT in the program's directory. The transmission reads where the acquisition
// wrote: FILEPATH when set (for both files, so it sends what was acquired last), otherwise
// AL.DAT and EP.DAT in the program's directory.
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
std::string AcquisitionFilePath(std::uint8_t mode, const std::optional<std::string>& filePath,
                                const std::string& programDirectory);
TransmissionFiles TransmissionFilePaths(const std::optional<std::string>& filePath,
                                        const std::string& programDirectory);

// The same from the settings store and the program's directory of this process.
std::optional<std::string> StoredAlmanacFilePath();
std::string AcquisitionFilePath(std::uint8_t mode);
TransmissionFiles TransmissionFilePaths();

}  // namespace orbex
