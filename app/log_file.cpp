#include "app/log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace orbex {

std::string LogSeparator(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[128];
    std::size_t n = std::strftime(
        text, sizeof text,
        "\r\n\r\n\r\n-------------- < %Y/%m/%d(%a) %H:%M:%S >--------------\r\n\r\n\r\n", &local);
    return std::string(text, n);
}

LogFile::~LogFile() {
    Close();
}

bool LogFile::Open(const std::string& path) {
    Close();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        lastError_ = errno;
        return false;
    }
    path_ = path;
    lastError_ = 0;
    return true;
}

void LogFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool LogFile::Append(std::string_view bytes) {
    if (fd_ < 0) {
        lastError_ = EBADF;
        return false;
    }
    while (!bytes.empty()) {
        ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            lastError_ = n < 0 ? errno : ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::int64_t LogFile::Size() const {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) {
        return -1;
    }
    return info.st_size;
}

}  // namespace orbex
