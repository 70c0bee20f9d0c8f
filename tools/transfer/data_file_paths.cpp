#include "tools/transfer/data_file_paths.h"

#include "platform/program_directory.h"
#include "platform/settings_store.h"

namespace orbex {

TransmissionFiles DataFilePaths(const std::optional<std::string>& filePath,
                                const std::string& programDirectory) {
    if (!filePath) {
        return {programDirectory + kAlmanacFileName, programDirectory + kEphemerisFileName};
    }
    const std::string& path = *filePath;
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name == kEphemerisFileName) {
        return {folder + kAlmanacFileName, path};
    }
    return {path, folder + kEphemerisFileName};
}

std::string AcquisitionFilePath(std::uint8_t mode, const std::optional<std::string>& filePath,
                                const std::string& programDirectory) {
    const TransmissionFiles files = DataFilePaths(filePath, programDirectory);
    return mode == kTransferEphemerisAcquire ? files.ephemeris : files.almanac;
}

TransmissionFiles TransmissionFilePaths(const std::optional<std::string>& filePath,
                                        const std::string& programDirectory) {
    return DataFilePaths(filePath, programDirectory);
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
