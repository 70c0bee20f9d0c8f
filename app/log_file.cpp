#include "app/log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace orbex {

std::string LogSeparator(std::time_t when) {
    // The weekday is the English abbreviation whatever the process locale: the separator is
    // part of the stored file format. Only integers are formatted, which no locale changes.
    static constexpr const char* kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::tm local{};
    localtime_r(&when, &local);
    const char* weekday =
        local.tm_wday >= 0 && local.tm_wday < 7 ? kWeekdays[local.tm_wday] : "___";
    char text[192];
    const int n = std::snprintf(text, sizeof text,
                                "\r\n\r\n\r\n-------------- < %04d/%02d/%02d(%s) %02d:%02d:%02d "
                                ">--------------\r\n\r\n\r\n",
                                local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, weekday,
                                local.tm_hour, local.tm_min, local.tm_sec);
    return std::string(text, n <= 0 ? 0 : std::min<std::size_t>(n, sizeof text - 1));
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
    std::size_t written = 0;
    while (!bytes.empty()) {
        ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            lastError_ = n < 0 ? errno : ENOSPC;
            TakeBack(written);
            return false;
        }
        written += static_cast<std::size_t>(n);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void LogFile::TakeBack(std::size_t written) {
    // A disk that filled (or a file-size limit reached) in the middle of a line leaves the
    // start of it behind; cutting it off keeps the file a list of whole lines. Ours is the
    // only writer, so the file's end is where this append began plus what it wrote.
    struct stat info {};
    if (written > 0 && ::fstat(fd_, &info) == 0 && info.st_size >= static_cast<off_t>(written)) {
        (void)::ftruncate(fd_, info.st_size - static_cast<off_t>(written));
    }
}

std::int64_t LogFile::Size() const {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) {
        return -1;
    }
    return info.st_size;
}

}  // namespace orbex
