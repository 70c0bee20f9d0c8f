#include "cli/orbex_ttff/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "cli/common/system_reason.h"

namespace orbex {
namespace {

std::string Reason(const std::string& path, int code) {
    return path + ": " + SystemReason(code);
}

}  // namespace

std::string CheckWritable(const std::string& path) {
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return {};
    }
    if (errno != ENOENT) {
        return Reason(path, errno);
    }
    // Missing: try to make it, and take it away again so that a run that writes nothing
    // leaves nothing.
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return Reason(path, errno);
    }
    ::close(fd);
    ::unlink(path.c_str());
    return {};
}

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
