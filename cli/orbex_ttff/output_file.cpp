#include "cli/orbex_ttff/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace orbex {
namespace {

std::string Reason(const std::string& path, int code) {
    return path + ": " + std::strerror(code);
}

}  // namespace

std::string ReplaceFile(const std::string& path, const std::string& text) {
    const std::filesystem::path target(path);
    const std::string temporary =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    std::string name = temporary;
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return Reason(path, errno);
    }
    std::size_t written = 0;
    int error = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    if (error == 0 && ::fchmod(fd, 0644) != 0) {
        error = errno;
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(name.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(name.c_str());
        return Reason(path, error);
    }
    return {};
}

}  // namespace orbex
