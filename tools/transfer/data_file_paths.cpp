#include "tools/transfer/data_file_paths.h"

#include "platform/program_directory.h"
#include "platform/settings_store.h"

namespace orbex {

std::string AcquisitionFilePath(std::uint8_t mode, const std::optional<std::string>& filePath,
                                const std::string& programDirectory) {
    if (filePath) {
        return *filePath;
    }
    return programDirectory +
           (mode == kTransferEphemerisAcquire ? kEphemerisFileName : kAlmanacFileName);
}

TransmissionFiles TransmissionFilePaths(const std::optional<std::string>& filePath,
                                        const std::string& programDirectory) {
    if (filePath) {
        return {*filePath, *filePath};
    }
    return {programDirectory + kAlmanacFileName, programDirectory + kEphemerisFileName};
}

std::optional<std::string> StoredAlmanacFilePath() {
    std::string path;
    if (ReadString("ALMANAC", "FILEPATH", path)) {
        return path;
    }
    return std::nullopt;
}

std::string AcquisitionFilePath(std::uint8_t mode) {
    return AcquisitionFilePath(mode, StoredAlmanacFilePath(), ProgramDirectory());
}

TransmissionFiles TransmissionFilePaths() {
    return TransmissionFilePaths(StoredAlmanacFilePath(), ProgramDirectory());
}

}  // namespace orbex
