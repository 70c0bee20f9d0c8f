#include "cli/orbex_data/data_file_check.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

}  // namespace orbex
