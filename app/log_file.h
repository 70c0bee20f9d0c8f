// One append-only log file: opened for writing, created when missing, never truncated; every
// write goes to the end (O_APPEND) straight to the file, so that nothing written before a
// failure is lost in a buffer. The separator banner marks each opening with date and time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace orbex {

// "\r\n\r\n\r\n-------------- < 2026/12/08(Tue) 01:02:03 >--------------\r\n\r\n\r\n"
std::string LogSeparator(std::time_t when);

class LogFile {
  public:
    LogFile() = default;
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // Opens (creating when missing); false with errno kept in lastError().
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // Writes all bytes at the end of the file; false with lastError() on the first failure,
    // and then none of them stays in the file.
    bool Append(std::string_view bytes);
    bool AppendSeparator() { return Append(LogSeparator(std::time(nullptr))); }
    // The file's current size in bytes (-1 when closed or unknown).
    std::int64_t Size() const;

    const std::string& path() const { return path_; }
    int lastError() const { return lastError_; }

  private:
    void TakeBack(std::size_t written);

    int fd_ = -1;
    std::string path_;
    int lastError_ = 0;
};

}  // namespace orbex
