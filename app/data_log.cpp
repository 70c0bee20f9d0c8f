#include "app/data_log.h"

#include <filesystem>
#include <system_error>

#include "app/string_resources.h"
#include "platform/message_box.h"
#include "platform/program_directory.h"
#include "platform/settings_store.h"

namespace orbex {

namespace {

void ShowStringResource(const QString& text, MessageIcon icon) {
    ShowMessageBox(text.toStdString(), LoadStringResource(kIdsMainTitle).toStdString(), icon);
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;  // a path that does not exist is not the same file
    return std::filesystem::equivalent(a, b, error);
}

}  // namespace

DataLog::DataLog(LineHook& hook) : hook_(hook) {
    hook_.Install(
        [this](const char* bytes, std::size_t count) { Append(std::string_view(bytes, count)); });
}

DataLog::~DataLog() {
    hook_.Remove();  // waits for an append that is running on the reader thread
    Close();
}

void DataLog::SetEventReport(EventReport report) {
    std::lock_guard lock(mutex_);  // read by the reader thread
    report_ = std::move(report);
}

bool DataLog::IsOpen() const {
    std::lock_guard lock(mutex_);  // see mutex_
    return file_ != nullptr;
}

bool DataLog::Writes(const std::string& path) const {
    std::lock_guard lock(mutex_);  // see mutex_
    return file_ && SameFile(file_->path(), path);
}

bool DataLog::IsReplaySource(const std::string& path) const {
    return !replaySource_.empty() && SameFile(replaySource_, path);
}

void DataLog::Close() {
    std::lock_guard lock(mutex_);  // see mutex_
    file_.reset();
    waitingForFile_ = false;
    held_.clear();
    heldBytes_ = 0;
    droppedLines_ = 0;
    droppedBytes_ = 0;
}

std::string DataLog::LogDirectory() {
    std::string directory;
    if (!ReadString("CONFIG", "LOGPATH", directory) || directory.empty()) {
        return ProgramDirectory();
    }
    if (directory.back() != '/') {
        directory += '/';
    }
    return directory;
}

bool DataLog::Start(bool ask) {
    const std::string directory = LogDirectory();
    std::string name;
    if (!ask && ReadString("CONFIG", "LOGFILE", name) && !name.empty() &&
        !RefusedAsReplayed(directory + name)) {
        const std::string path = directory + name;
        auto file = std::make_unique<LogFile>();
        if (!file->Open(path)) {
            ShowStringResource(
                FormatStringResource(kIdsLogOpenFailed, QString::fromStdString(path)),
                MessageIcon::Warning);
            return false;
        }
        if (maxSize_ == kNoLimit || file->Size() <= maxSize_) {
            return Adopt(std::move(file));
        }
        // The remembered file is already past the limit: leave it and let the user choose.
        ShowStringResource(LoadStringResource(kIdsDataLogAlreadyFull), MessageIcon::Information);
    }
    std::optional<std::string> chosen;
    do {
        chosen = choose_ ? choose_(directory + "GPS.DAT") : std::optional<std::string>();
    } while (chosen && !chosen->empty() && RefusedAsReplayed(*chosen));
    if (!chosen || chosen->empty()) {
        Close();
        ShowStringResource(LoadStringResource(kIdsNoDataLogChosen), MessageIcon::Warning);
        return false;
    }
    return OpenChosen(*chosen);
}

bool DataLog::RefusedAsReplayed(const std::string& path) const {
    if (!IsReplaySource(path)) {
        return false;
    }
    ShowStringResource(FormatStringResource(kIdsDataLogIsReplayed, QString::fromStdString(path)),
                       MessageIcon::Warning);
    return true;
}

bool DataLog::OpenChosen(const std::string& path) {
    auto file = std::make_unique<LogFile>();
    if (!file->Open(path)) {
        Close();
        ShowStringResource(FormatStringResource(kIdsLogOpenFailed, QString::fromStdString(path)),
                           MessageIcon::Warning);
        return false;
    }
    const std::size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    WriteString("CONFIG", "LOGPATH", directory.c_str());
    WriteString("CONFIG", "LOGFILE", path.substr(directory.size()).c_str());
    return Adopt(std::move(file));
}

bool DataLog::Adopt(std::unique_ptr<LogFile> file) {
    bool ok = false;
    int error = 0;
    std::size_t droppedLines = 0;
    std::size_t droppedBytes = 0;
    {
        std::lock_guard lock(mutex_);  // the reader may be appending or holding lines
        ok = file->AppendSeparator();
        while (ok && !held_.empty()) {
            ok = file->Append(held_.front());
            heldBytes_ -= held_.front().size();
            held_.pop_front();
        }
        waitingForFile_ = false;
        std::swap(droppedLines, droppedLines_);
        std::swap(droppedBytes, droppedBytes_);
        if (ok) {
            file_ = std::move(file);
        } else {
            error = file->lastError();
            held_.clear();
            heldBytes_ = 0;
            file_.reset();
        }
    }
    if (droppedLines != 0) {
        ShowStringResource(LoadStringResource(kIdsDataLogLinesDropped)
                               .replace(QStringLiteral("%1"), QString::number(droppedLines))
                               .replace(QStringLiteral("%2"), QString::number(droppedBytes)),
                           MessageIcon::Warning);
    }
    if (!ok) {
        HandleEvent(DataLogEvent::WriteFailed, error);
    }
    return ok;
}

void DataLog::Append(std::string_view line) {
    EventReport report;
    DataLogEvent event{};
    int error = 0;
    {
        std::lock_guard lock(mutex_);  // the UI thread may be opening or closing the file
        if (waitingForFile_) {
            if (heldBytes_ + line.size() <= kMaxHeldBytes) {
                held_.emplace_back(line);
                heldBytes_ += line.size();
            } else {
                ++droppedLines_;
                droppedBytes_ += line.size();
            }
            return;
        }
        if (!file_) {
            return;
        }
        if (!file_->Append(line)) {
            error = file_->lastError();
            file_.reset();
            event = DataLogEvent::WriteFailed;
        } else if (maxSize_ != kNoLimit && file_->Size() > maxSize_) {
            file_.reset();
            waitingForFile_ = true;
            event = DataLogEvent::LimitReached;
        } else {
            return;
        }
        report = report_;
    }
    if (report) {
        report(event, error);
    }
}

void DataLog::HandleEvent(DataLogEvent event, int error) {
    if (event == DataLogEvent::WriteFailed) {
        ShowStringResource(
            LoadStringResource(kIdsLogWriteFailed).replace("%u", QString::number(error)),
            MessageIcon::Error);
        return;
    }
    ShowStringResource(LoadStringResource(kIdsDataLogLimitReached), MessageIcon::Warning);
    Start(true);
}

}  // namespace orbex
