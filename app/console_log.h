// The console log: every complete line that arrives over a serial link, written by the serial
// reader thread through the link's console-log hook, while "Log Console" is on. The user-
// interface thread starts and stops it. A write error (a full disk) closes the file at once;
// the failure is reported once through the callback, and every line before it is on disk.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

#include "app/log_file.h"
#include "link/line_hook.h"

namespace orbex {

class ConsoleLog {
  public:
    // Called on the reader thread, once, with the system error number of the failed write.
    using FailureReport = std::function<void(int error)>;

    explicit ConsoleLog(LineHook& hook = ConsoleLogHook());
    ~ConsoleLog();
    ConsoleLog(const ConsoleLog&) = delete;
    ConsoleLog& operator=(const ConsoleLog&) = delete;

    enum class StartResult { Started, OpenFailed, WriteFailed };

    // Opens the file for appending, writes the separator and starts logging. On failure the
    // log stays inactive and lastError() holds the system error number.
    StartResult Start(const std::string& path, FailureReport onFailure);
    // Stops logging and closes the file (no effect when inactive).
    void Stop();

    bool active() const { return active_.load(); }
    int lastError() const { return lastError_; }

  private:
    void Write(const char* bytes, std::size_t count);  // on the reader thread

    LineHook& hook_;
    std::mutex mutex_;  // the reader thread writes file_ while the UI thread may close it
    LogFile file_;
    FailureReport onFailure_;
    std::atomic<bool> active_{false};
    int lastError_ = 0;
};

}  // namespace orbex
