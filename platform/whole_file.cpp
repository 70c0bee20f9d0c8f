#include "platform/whole_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace orbex {

namespace {

std::string Failure(const std::string& path, int code) {
    return "cannot write " + path + ": " + std::strerror(code);
}

// Writes all of `content` to `fd`, then flushes it to disk when `sync` is set and closes it;
// the system error code of the first step that fails, or 0.
int WriteAndClose(int fd, std::string_view content, bool sync) {
    int code = 0;
    std::size_t done = 0;
    while (code == 0 && done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR) {
            code = errno;
        } else if (n == 0) {
            code = ENOSPC;
        }
    }
    if (code == 0 && sync && ::fsync(fd) != 0) {
        code = errno;
    }
    if (::close(fd) != 0 && code == 0) {
        code = errno;
    }
    return code;
}

}  // namespace

bool WriteWholeFile(const std::string& path, std::string_view content, std::string& error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = Failure(path, errno);
        return false;
    }
    if (const int code = WriteAndClose(fd, content, false); code != 0) {
        error = Failure(path, code);
        return false;
    }
    return true;
}

bool ReplaceWholeFile(const std::string& path, std::string_view content, std::string& error) {
    const std::string temporary = path + ".part";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = Failure(temporary, errno);
        return false;
    }
    int code = WriteAndClose(fd, content, true);
    if (code == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) {
        code = errno;
    }
    if (code != 0) {
        error = Failure(path, code);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace orbex
