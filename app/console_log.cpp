#include "app/console_log.h"

namespace orbex {

ConsoleLog::ConsoleLog(LineHook& hook) : hook_(hook) {}

ConsoleLog::~ConsoleLog() {
    Stop();
}

ConsoleLog::StartResult ConsoleLog::Start(const std::string& path, FailureReport onFailure) {
    Stop();
    {
        std::lock_guard lock(mutex_);  // no hook is installed yet; kept for symmetry with Write
        if (!file_.Open(path)) {
            lastError_ = file_.lastError();
            return StartResult::OpenFailed;
        }
        if (!file_.AppendSeparator()) {
            lastError_ = file_.lastError();
            file_.Close();
            return StartResult::WriteFailed;
        }
        onFailure_ = std::move(onFailure);
        active_ = true;
    }
    hook_.Install([this](const char* bytes, std::size_t count) { Write(bytes, count); });
    return StartResult::Started;
}

void ConsoleLog::Stop() {
    // Remove waits for a write that is running on the reader thread, so the file can then be
    // closed without racing it.
    hook_.Remove();
    std::lock_guard lock(mutex_);  // see Write
    file_.Close();
    active_ = false;
}

void ConsoleLog::Write(const char* bytes, std::size_t count) {
    FailureReport report;
    int error = 0;
    {
        std::lock_guard lock(mutex_);  // the UI thread may be closing the file
        if (!active_ || file_.Append(std::string_view(bytes, count))) {
            return;
        }
        error = lastError_ = file_.lastError();
        file_.Close();
        active_ = false;
        report = std::move(onFailure_);
        onFailure_ = nullptr;
    }
    if (report) {
        report(error);
    }
}

}  // namespace orbex
