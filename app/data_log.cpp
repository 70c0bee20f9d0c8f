#include "app/data_log.h"

#include "app/program_directory.h"
#include "app/string_resources.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

namespace orbex {

namespace {

void ShowStringResource(const QString& text, MessageIcon icon) {
    ShowMessageBox(text.toStdString(), LoadStringResource(kIdsMainTitle).toStdString(), icon);
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

void DataLog::Close() {
    std::lock_guard lock(mutex_);  // see mutex_
    file_.reset();
    waitingForFile_ = false;
    held_.clear();
    heldBytes_ = 0;
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
    if (!ask && ReadString("CONFIG", "LOGFILE", name) && !name.empty()) {
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
    std::optional<std::string> chosen =
        choose_ ? choose_(directory + "GPS.DAT") : std::optional<std::string>();
    if (!chosen || chosen->empty()) {
        Close();
        ShowStringResource(LoadStringResource(kIdsNoDataLogChosen), MessageIcon::Warning);
        return false;
    }
    return OpenChosen(*chosen);
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
    int error = 0;
    {
        std::lock_guard lock(mutex_);  // the reader may be appending or holding lines
        bool ok = file->AppendSeparator();
        while (ok && !held_.empty()) {
            ok = file->Append(held_.front());
            heldBytes_ -= held_.front().size();
            held_.pop_front();
        }
        waitingForFile_ = false;
        if (ok) {
            file_ = std::move(file);
            return true;
        }
        error = file->lastError();
        held_.clear();
        heldBytes_ = 0;
        file_.reset();
    }
    HandleEvent(DataLogEvent::WriteFailed, error);
    return false;
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
