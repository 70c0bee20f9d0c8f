#include "cli/orbex_data/data_file_check.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/unique_fd.h"

namespace orbex {

namespace {

std::string Reason(const std::string& doing, const std::string& path, int error) {
    return "cannot " + doing + " " + path + ": " + std::strerror(error);
}

}  // namespace

std::optional<std::string> CheckFileToSend(const std::string& path, int expectedLines,
                                           const std::string& what) {
    UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) {
        return Reason("open", path, errno);
    }
    // Lines as the transmission reads them: up to each line feed, and a last line without one.
    long lines = 0;
    bool open = false;
    char block[1 << 14];
    for (;;) {
        const ssize_t count = ::read(file.Get(), block, sizeof block);
        if (count == 0) {
            break;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Reason("read", path, errno);
        }
        for (ssize_t i = 0; i < count; ++i) {
            if (block[i] == '\n') {
                ++lines;
                open = false;
            } else {
                open = true;
            }
        }
    }
    lines += open ? 1 : 0;
    if (expectedLines > 0 && lines != expectedLines) {
        return path + " holds " + std::to_string(lines) + (lines == 1 ? " line" : " lines") + "; " +
               what + " holds " + std::to_string(expectedLines);
    }
    return std::nullopt;
}

std::optional<std::string> CheckFileToWrite(const std::string& path) {
    std::error_code error;
    const std::filesystem::path file(path);
    if (std::filesystem::exists(file, error)) {
        if (std::filesystem::is_directory(file, error)) {
            return Reason("write", path, EISDIR);
        }
        // Opened without truncating: the stored data stays until the receiver's lines come.
        UniqueFd opened(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
        if (!opened.Valid()) {
            return Reason("write", path, errno);
        }
        return std::nullopt;
    }
    const std::filesystem::path folder =
        file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return Reason("write", path, errno);
    }
    return std::nullopt;
}

}  // namespace orbex
