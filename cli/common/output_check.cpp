#include "cli/common/output_check.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/unique_fd.h"

namespace orbex {

namespace {

std::string Reason(const std::string& path, int error) {
    return "cannot write " + path + ": " + std::strerror(error);
}

}  // namespace

std::optional<std::string> CheckFileToWrite(const std::string& path) {
    std::error_code error;
    const std::filesystem::path file(path);
    if (std::filesystem::exists(file, error)) {
        if (std::filesystem::is_directory(file, error)) {
            return Reason(path, EISDIR);
        }
        // Opened without truncating: what the file holds stays until the program writes it.
        UniqueFd opened(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
        if (!opened.Valid()) {
            return Reason(path, errno);
        }
        return std::nullopt;
    }
    const std::filesystem::path folder =
        file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return Reason(path, errno);
    }
    return std::nullopt;
}

}  // namespace orbex
