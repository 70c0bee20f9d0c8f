// The data-stream log: every line read during a file replay, with an optional size limit, in
// the file LOGPATH + LOGFILE of the settings store. The replay reader thread appends through
// the link's replay-record hook; the user-interface thread opens the file and asks the user.
//
// When a line takes the file past the limit, the reader closes it and the user-interface thread
// is asked (through the callback) to tell the user and let them choose a new file. Lines that
// arrive meanwhile are held and written to the new file first, so the recording has no gap; if
// the user chooses no file, they are dropped with the log. Beyond kMaxHeldBytes further lines
// are counted instead of held, and the user is told how many are missing once the new file is
// open. A write error closes the log and is reported once; everything before it is on disk.
//
// The file being replayed never becomes the log, and a replay of the log's own file is refused
// by the connection (Writes): the replay would read its own appended lines until the disk is
// full.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "app/log_file.h"
#include "link/line_hook.h"

namespace orbex {

enum class DataLogEvent { LimitReached, WriteFailed };

class DataLog {
  public:
    // The file dialog: proposed path in, chosen path out (nullopt on Cancel). UI thread.
    using ChooseFile = std::function<std::optional<std::string>(const std::string& proposed)>;
    // Called on the reader thread; the receiver hands the event to the UI thread, which then
    // calls HandleEvent.
    using EventReport = std::function<void(DataLogEvent event, int error)>;

    static constexpr std::int64_t kNoLimit = -1;
    static constexpr std::size_t kMaxHeldBytes = 16u << 20;  // lines held while a file is chosen

    explicit DataLog(LineHook& hook = ReplayRecordHook());
    ~DataLog();
    DataLog(const DataLog&) = delete;
    DataLog& operator=(const DataLog&) = delete;

    void SetChooseFile(ChooseFile choose) { choose_ = std::move(choose); }
    void SetEventReport(EventReport report);
    // LOGMAXSIZE in bytes, kNoLimit for none.
    void SetMaxSize(std::int64_t bytes) { maxSize_ = bytes; }

    // StartDataLog: opens LOGPATH + LOGFILE, or asks for a file when ask is true or no file is
    // remembered. True when the log is open afterwards.
    bool Start(bool ask);
    // The user-interface thread's half of a reported event: messages 40021 / 40019.
    void HandleEvent(DataLogEvent event, int error);
    // AppendDataLog, on the reader thread (also called by the hook).
    void Append(std::string_view line);
    void Close();

    bool IsOpen() const;
    // True when the log is open on the file at path (the same file under any name).
    bool Writes(const std::string& path) const;
    // The file being replayed (empty: none), which is refused as the log's file. UI thread.
    void SetReplaySource(const std::string& path) { replaySource_ = path; }
    // The directory D (ending in "/") and the proposed file of the file dialog.
    static std::string LogDirectory();

  private:
    bool OpenChosen(const std::string& path);
    bool IsReplaySource(const std::string& path) const;
    bool RefusedAsReplayed(const std::string& path) const;  // tells the user when it is
    bool Adopt(std::unique_ptr<LogFile> file);  // makes file the log, writes what was held

    LineHook& hook_;
    ChooseFile choose_;
    EventReport report_;
    std::int64_t maxSize_ = kNoLimit;

    mutable std::mutex mutex_;  // file_, held_ and waiting_: the reader appends, the UI opens
    std::unique_ptr<LogFile> file_;
    bool waitingForFile_ = false;  // limit reached: lines are held until a new file is chosen
    std::deque<std::string> held_;
    std::size_t heldBytes_ = 0;
    std::size_t droppedLines_ = 0;  // beyond kMaxHeldBytes
    std::size_t droppedBytes_ = 0;

    std::string replaySource_;  // user-interface thread only
};

}  // namespace orbex
