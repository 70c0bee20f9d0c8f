// The console log and the data-stream log: appending with the separator, the size limit flow,
// and write errors on a full disk (/dev/full, and a file size limit that stops a write midway).
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "app/console_log.h"
#include "app/data_log.h"
#include "app/log_file.h"
#include "app_test_support.h"
#include "platform/message_box_sink.h"
#include "platform/settings_store.h"

namespace orbex {
namespace {

namespace fs = std::filesystem;

using test::kGga;

// Caps the size of files this process writes; a write past it fails with EFBIG.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(LogSeparatorTest, DateAndTimeBannerInLocalTime) {
    const char* savedTz = std::getenv("TZ");
    const std::string saved = savedTz ? savedTz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(LogSeparator(1796691723),  // 2026-12-08 01:02:03 UTC, a Tuesday
              "\r\n\r\n\r\n-------------- < 2026/12/08(Tue) 01:02:03 >--------------\r\n\r\n\r\n");
    if (savedTz) {
        setenv("TZ", saved.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

class ConsoleLogTest : public ::testing::Test {
  protected:
    test::TestHome home;
    LineHook hook;
    ConsoleLog log{hook};
    int failures = 0;
    int lastError = 0;
    ConsoleLog::FailureReport report = [this](int error) {
        ++failures;
        lastError = error;
    };
};

TEST_F(ConsoleLogTest, AppendsToAnExistingFileAfterTheSeparator) {
    const std::string path = home.path("GPS_MDUMP.DAT");
    home.WriteFile(path, "old recording\r\n");
    ASSERT_EQ(log.Start(path, report), ConsoleLog::StartResult::Started);
    EXPECT_TRUE(log.active());
    EXPECT_TRUE(hook.Active());
    hook.Call(kGga.data(), kGga.size());
    hook.Call("\x01unprintable\r\n", 14);  // the log takes every framed line as it is
    log.Stop();
    hook.Call(kGga.data(), kGga.size());  // after Stop nothing more is written
    EXPECT_FALSE(log.active());
    EXPECT_FALSE(hook.Active());

    const std::string text = home.ReadFile(path);
    ASSERT_EQ(text.rfind("old recording\r\n\r\n\r\n\r\n-------------- < ", 0), 0u) << text;
    const std::size_t banner = text.find(">--------------\r\n\r\n\r\n");
    ASSERT_NE(banner, std::string::npos);
    EXPECT_EQ(text.substr(banner + 21), kGga + "\x01unprintable\r\n");
    EXPECT_EQ(failures, 0);
}

TEST_F(ConsoleLogTest, OpenFailureLeavesTheLogInactive) {
    EXPECT_EQ(log.Start(home.path("missing/dir/log.dat"), report),
              ConsoleLog::StartResult::OpenFailed);
    EXPECT_EQ(log.lastError(), ENOENT);
    EXPECT_FALSE(log.active());
    EXPECT_FALSE(hook.Active());
}

TEST_F(ConsoleLogTest, AFullDiskAtTheStartIsAWriteError) {
    EXPECT_EQ(log.Start("/dev/full", report), ConsoleLog::StartResult::WriteFailed);
    EXPECT_EQ(log.lastError(), ENOSPC);
    EXPECT_FALSE(log.active());
}

TEST_F(ConsoleLogTest, AWriteErrorClosesTheLogOnceAndKeepsEveryEarlierLine) {
    const std::string path = home.path("log.dat");
    ASSERT_EQ(log.Start(path, report), ConsoleLog::StartResult::Started);
    const auto start = static_cast<rlim_t>(fs::file_size(path));
    int written = 0;
    {
        FileSizeLimit limit(start + 10 * kGga.size() + 5);
        for (int i = 0; i < 20; ++i) {
            hook.Call(kGga.data(), kGga.size());
            written += log.active() ? 1 : 0;
        }
    }
    EXPECT_EQ(written, 10);
    EXPECT_EQ(failures, 1) << "reported once";
    EXPECT_EQ(lastError, EFBIG);
    EXPECT_FALSE(log.active());
    const std::string text = home.ReadFile(path);
    std::string expected;
    for (int i = 0; i < 10; ++i) {
        expected += kGga;
    }
    EXPECT_EQ(text.substr(start), expected) << "no part of the line that did not fit";
    log.Stop();
}

class DataLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        log.SetChooseFile([this](const std::string& proposed) {
            proposals.push_back(proposed);
            return choice;
        });
        log.SetEventReport([this](DataLogEvent event, int error) {
            events.push_back(event);
            lastError = error;
        });
        WriteString("CONFIG", "LOGPATH", home.path("logs").c_str());  // no "/" at the end
        fs::create_directories(home.path("logs"));
    }
    std::string LogPath(const std::string& name) { return home.path("logs/" + name); }

    test::TestHome home;
    MessageBoxSink messages;
    LineHook hook;
    DataLog log{hook};
    std::vector<std::string> proposals;
    std::optional<std::string> choice;
    std::vector<DataLogEvent> events;
    int lastError = 0;
};

TEST_F(DataLogTest, RemembersItsFileAndAppendsReplayedLines) {
    WriteString("CONFIG", "LOGFILE", "GPS.DAT");
    home.WriteFile(LogPath("GPS.DAT"), "earlier\r\n");
    ASSERT_TRUE(log.Start(false));
    EXPECT_TRUE(proposals.empty());
    hook.Call(kGga.data(), kGga.size());
    log.Close();
    const std::string text = home.ReadFile(LogPath("GPS.DAT"));
    EXPECT_EQ(text.rfind("earlier\r\n\r\n\r\n\r\n---", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - kGga.size()), kGga);
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(DataLogTest, WithoutARememberedFileTheUserIsAskedAndTheChoiceIsStored) {
    choice = LogPath("chosen.dat");
    ASSERT_TRUE(log.Start(false));
    ASSERT_EQ(proposals.size(), 1u);
    EXPECT_EQ(proposals[0], LogPath("GPS.DAT"));
    std::string text;
    ASSERT_TRUE(ReadString("CONFIG", "LOGPATH", text));
    EXPECT_EQ(text, home.path("logs/"));
    ASSERT_TRUE(ReadString("CONFIG", "LOGFILE", text));
    EXPECT_EQ(text, "chosen.dat");
    EXPECT_TRUE(fs::exists(LogPath("chosen.dat")));
}

TEST_F(DataLogTest, CancellingTheChoiceLeavesTheLogClosedWithAMessage) {
    WriteString("CONFIG", "LOGPATH", "");  // no directory: the program's directory
    EXPECT_FALSE(log.Start(false));
    ASSERT_EQ(proposals.size(), 1u);
    EXPECT_EQ(proposals[0], home.path("home/GPS.DAT"));
    EXPECT_FALSE(log.IsOpen());
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("No file was chosen"), std::string::npos);
    EXPECT_EQ(messages.Requests()[0].icon, MessageIcon::Warning);
}

TEST_F(DataLogTest, AFileThatCannotBeOpenedIsNamedInTheMessage) {
    WriteString("CONFIG", "LOGFILE", "no/such/dir.dat");
    EXPECT_FALSE(log.Start(false));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find(LogPath("no/such/dir.dat")), std::string::npos);
    EXPECT_TRUE(proposals.empty()) << "an open failure does not ask";
}

TEST_F(DataLogTest, AFileAtTheLimitIsUsedAndTheNextLineAsksForANewFile) {
    WriteString("CONFIG", "LOGFILE", "GPS.DAT");
    home.WriteFile(LogPath("GPS.DAT"), std::string(1000, 'x'));
    log.SetMaxSize(1000);
    ASSERT_TRUE(log.Start(false)) << "1000 bytes is not larger than the limit";
    EXPECT_TRUE(messages.Texts().empty());

    hook.Call(kGga.data(), kGga.size());  // past the limit: the file is closed
    ASSERT_EQ(events, std::vector<DataLogEvent>{DataLogEvent::LimitReached});
    EXPECT_FALSE(log.IsOpen());
    hook.Call("held 1\r\n", 8);  // lines that arrive while the user chooses are held
    hook.Call("held 2\r\n", 8);

    choice = LogPath("next.dat");
    log.HandleEvent(DataLogEvent::LimitReached, 0);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("reached its size limit"), std::string::npos);
    EXPECT_EQ(proposals, std::vector<std::string>{LogPath("GPS.DAT")});
    ASSERT_TRUE(log.IsOpen());
    log.Close();

    const std::string old = home.ReadFile(LogPath("GPS.DAT"));
    EXPECT_EQ(old.substr(old.size() - kGga.size()), kGga) << "the line that crossed the limit";
    const std::string next = home.ReadFile(LogPath("next.dat"));
    EXPECT_EQ(next.rfind("\r\n\r\n\r\n---", 0), 0u) << "separator first";
    EXPECT_EQ(next.substr(next.size() - 16), "held 1\r\nheld 2\r\n");
    std::string text;
    ASSERT_TRUE(ReadString("CONFIG", "LOGFILE", text));
    EXPECT_EQ(text, "next.dat");
}

TEST_F(DataLogTest, LinesBeyondWhatCanBeHeldAreCountedInTheMessage) {
    WriteString("CONFIG", "LOGFILE", "GPS.DAT");
    log.SetMaxSize(10);
    ASSERT_TRUE(log.Start(false));
    hook.Call(kGga.data(), kGga.size());  // past the limit: lines are held from here on
    const std::string mebibyte(1 << 20, 'x');
    for (int i = 0; i < 18; ++i) {  // 16 are held, 2 are not
        hook.Call(mebibyte.data(), mebibyte.size());
    }
    choice = LogPath("next.dat");
    log.HandleEvent(DataLogEvent::LimitReached, 0);
    ASSERT_TRUE(log.IsOpen());
    log.Close();
    EXPECT_EQ(fs::file_size(LogPath("next.dat")), LogSeparator(0).size() + 16 * mebibyte.size());
    ASSERT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(messages.Texts()[1].rfind("2 lines (2097152 bytes) received while", 0), 0u)
        << messages.Texts()[1];
}

TEST_F(DataLogTest, TheFileBeingReplayedIsNeverTakenAsTheLog) {
    const std::string replayed = LogPath("drive.dat");
    home.WriteFile(replayed, kGga);
    fs::create_symlink(replayed, LogPath("alias.dat"));
    log.SetReplaySource(replayed);
    std::vector<std::string> choices = {LogPath("alias.dat"), LogPath("other.dat")};
    log.SetChooseFile([&](const std::string&) {
        std::string next = choices.front();
        choices.erase(choices.begin());
        return std::optional<std::string>(next);
    });
    ASSERT_TRUE(log.Start(true));
    EXPECT_TRUE(log.Writes(LogPath("other.dat")));
    EXPECT_FALSE(log.Writes(replayed));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("is being replayed"), std::string::npos);
    EXPECT_EQ(home.ReadFile(replayed), kGga);
}

TEST_F(DataLogTest, AFileAlreadyPastTheLimitIsLeftAndTheUserChooses) {
    WriteString("CONFIG", "LOGFILE", "GPS.DAT");
    home.WriteFile(LogPath("GPS.DAT"), std::string(1001, 'x'));
    log.SetMaxSize(1000);
    choice = std::nullopt;
    EXPECT_FALSE(log.Start(false));
    ASSERT_EQ(messages.Requests().size(), 2u);
    EXPECT_EQ(messages.Requests()[0].icon, MessageIcon::Information);
    EXPECT_NE(messages.Texts()[0].find("already larger"), std::string::npos);
    EXPECT_NE(messages.Texts()[1].find("No file was chosen"), std::string::npos);
    EXPECT_EQ(proposals.size(), 1u);
    EXPECT_EQ(fs::file_size(LogPath("GPS.DAT")), 1001u) << "nothing written to the full file";
}

TEST_F(DataLogTest, DevFullIsReportedOnceAndClosesTheLog) {
    WriteString("CONFIG", "LOGPATH", "/dev/");
    WriteString("CONFIG", "LOGFILE", "full");
    EXPECT_FALSE(log.Start(false));
    EXPECT_FALSE(log.IsOpen());
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_EQ(messages.Texts()[0],
              "The log file could not be written and has been closed.\nError number: 28");
    EXPECT_EQ(messages.Requests()[0].icon, MessageIcon::Error);
    hook.Call(kGga.data(), kGga.size());
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(messages.Texts().size(), 1u);
}

TEST_F(DataLogTest, AWriteErrorWhileReplayingKeepsEveryEarlierLine) {
    WriteString("CONFIG", "LOGFILE", "GPS.DAT");
    ASSERT_TRUE(log.Start(false));
    const auto start = static_cast<rlim_t>(fs::file_size(LogPath("GPS.DAT")));
    {
        FileSizeLimit limit(start + 3 * kGga.size() + 1);
        for (int i = 0; i < 6; ++i) {
            hook.Call(kGga.data(), kGga.size());
        }
    }
    ASSERT_EQ(events, std::vector<DataLogEvent>{DataLogEvent::WriteFailed});
    EXPECT_EQ(lastError, EFBIG);
    EXPECT_FALSE(log.IsOpen());
    const std::string text = home.ReadFile(LogPath("GPS.DAT"));
    EXPECT_EQ(text.substr(start), kGga + kGga + kGga) << "no part of the line that did not fit";
    log.HandleEvent(DataLogEvent::WriteFailed, lastError);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("Error number: 27"), std::string::npos);
}

}  // namespace
}  // namespace orbex
