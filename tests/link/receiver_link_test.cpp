#include "link/replay_link.h"
#include "link/serial_link.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/line_hook.h"
#include "link/line_queue.h"
#include "platform/system_error.h"
#include "platform/window_messages.h"
#include "tests/link/link_fixture.h"
#include "tests/link/link_test_support.h"
#include "tests/platform/pty_pair.h"

namespace orbex {
namespace {

using std::chrono::milliseconds;
using testing::LinkTest;
using testing::PtyPair;
using testing::TempDir;

const std::string kInitError = "COM Port Initialization Error\nError Code:";

// Takes lines from the shared queue until `count` came or the time is up.
std::vector<std::string> TakeLines(std::size_t count, milliseconds timeout = milliseconds(3000)) {
    std::vector<std::string> lines;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string line;
    while (lines.size() < count && std::chrono::steady_clock::now() < deadline) {
        if (SharedLineQueue().Pop(line)) {
            lines.push_back(line);
        } else {
            std::this_thread::sleep_for(milliseconds(5));
        }
    }
    return lines;
}

class SerialLinkTest : public LinkTest {
  protected:
    void SetUp() override {
        LinkTest::SetUp();
        ASSERT_TRUE(pty_.Valid());
        ::setenv("ORBEX_SERIAL_PORTS", pty_.SlavePath().c_str(), 1);
    }

    PtyPair pty_;
    SerialLink link_;
};

TEST_F(SerialLinkTest, FramesWhatTheReceiverSendsIntoQueuedLines) {
    std::vector<std::string> logged;
    std::mutex loggedMutex;
    ConsoleLogHook().Install([&](const char* bytes, std::size_t count) {
        std::lock_guard<std::mutex> lock(loggedMutex);
        logged.emplace_back(bytes, count);
    });
    ASSERT_TRUE(link_.Open(owner_.Post(), PortSettings{}));
    EXPECT_TRUE(link_.IsOpen());
    EXPECT_FALSE(link_.replay());

    pty_.Send("$GPGGA,12");
    std::this_thread::sleep_for(milliseconds(300));  // the reader sees the first part alone
    pty_.Send("3519\r\n");
    pty_.Send("A\r\nB\r\nlone\nLF\r\n");
    pty_.Send(
        "x\xDA\xDA"
        "tab\there\r\nok\r\n");
    const std::string run(2048, 'z');
    pty_.Send(run + "after\r\n");

    const std::vector<std::string> expected = {
        "$GPGGA,123519\r\n", "A\r\n", "B\r\n", "x\xDA", "ok\r\n", run, "after\r\n"};
    EXPECT_EQ(TakeLines(expected.size()), expected);
    link_.Close();
    EXPECT_FALSE(link_.IsOpen());

    // The console log saw every framed line, the dropped ones too, before the test.
    const std::vector<std::string> all = {
        "$GPGGA,123519\r\n", "A\r\n",  "B\r\n", "lone\nLF\r\n", "x\xDA", "\xDA",
        "tab\there\r\n",     "ok\r\n", run,     "after\r\n"};
    EXPECT_EQ(logged, all);
    for (unsigned message : owner_.Messages()) {
        EXPECT_EQ(message, UWM_LINE_QUEUED);
    }
    EXPECT_FALSE(owner_.Messages().empty());
    EXPECT_TRUE(messages_.Texts().empty());
}

TEST_F(SerialLinkTest, CommandsReachTheReceiver) {
    ASSERT_TRUE(link_.Open(owner_.Post(), PortSettings{}));
    EXPECT_FALSE(link_.replay());
    EXPECT_TRUE(link_.WriteLine("@CD"));
    const std::string raw = "@SW\r\n";
    EXPECT_TRUE(link_.Write(raw.data(), raw.size()));
    EXPECT_EQ(pty_.Receive(10), "@CD\r\n@SW\r\n");
}

TEST_F(SerialLinkTest, ASecondOpenIsRefusedSilently) {
    ASSERT_TRUE(link_.Open(owner_.Post(), PortSettings{}));
    EXPECT_FALSE(link_.Open(owner_.Post(), PortSettings{}));
    EXPECT_TRUE(messages_.Texts().empty());
    EXPECT_TRUE(link_.IsOpen());
    pty_.Send("still\r\n");
    EXPECT_EQ(TakeLines(1), std::vector<std::string>{"still\r\n"});
}

TEST_F(SerialLinkTest, PortIndexPastTheEndFailsWithTheInitializationMessage) {
    PortSettings settings;
    settings.portIndex = 100;
    EXPECT_FALSE(link_.Open(owner_.Post(), settings));
    EXPECT_FALSE(link_.IsOpen());
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{kInitError + std::to_string(ENOENT)});
    // The failed link can be opened again on a good port.
    EXPECT_TRUE(link_.Open(owner_.Post(), PortSettings{}));
}

TEST_F(SerialLinkTest, SettingsTheSystemCannotMakeAreRefusedWithAReason) {
    PortSettings oneAndHalf;
    oneAndHalf.stopBits = 1;
    EXPECT_FALSE(link_.Open(owner_.Post(), oneAndHalf));
    auto texts = messages_.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find("1.5 stop bits"), std::string::npos);
    EXPECT_EQ(texts[1], kInitError + std::to_string(EINVAL));

    PortSettings badIndex;
    badIndex.speed = 15;
    EXPECT_FALSE(link_.Open(owner_.Post(), badIndex));

    // A running link keeps running when a live change is refused.
    ASSERT_TRUE(link_.Open(owner_.Post(), PortSettings{}));
    PortSettings dsr;
    dsr.flowDsr = 1;
    EXPECT_FALSE(link_.ApplyPortSettings(dsr));
    EXPECT_NE(messages_.Texts().back().find("DSR/DTR"), std::string::npos);
    PortSettings fast;
    fast.speed = 14;
    fast.flowRts = 1;
    EXPECT_TRUE(link_.ApplyPortSettings(fast));
    pty_.Send("after change\r\n");
    EXPECT_EQ(TakeLines(1), std::vector<std::string>{"after change\r\n"});
}

TEST_F(SerialLinkTest, AVanishedPortIsReportedOnceAndDoesNotSpin) {
    // The port by a path that goes with the device, as a USB adapter's node does: the freed
    // pseudo-terminal number may be taken by another program at once.
    TempDir dir;
    const std::string device = (dir.Path() / "ttyGPS").string();
    ASSERT_EQ(::symlink(pty_.SlavePath().c_str(), device.c_str()), 0);
    ::setenv("ORBEX_SERIAL_PORTS", device.c_str(), 1);
    ASSERT_TRUE(link_.Open(owner_.Post(), PortSettings{}));
    pty_.Send("last words\r\n");
    EXPECT_EQ(TakeLines(1), std::vector<std::string>{"last words\r\n"});
    pty_.CloseMaster();  // the receiver is unplugged
    ::unlink(device.c_str());
    const auto deadline = std::chrono::steady_clock::now() + milliseconds(3000);
    while (messages_.Texts().empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(milliseconds(10));
    }
    std::this_thread::sleep_for(milliseconds(1200));  // at least one more slow look
    EXPECT_EQ(messages_.Texts(),
              std::vector<std::string>{"Communication Error " + std::to_string(EIO)});
    EXPECT_EQ(link_.PendingInputCount(), 0u);
    link_.Close();  // still ends cleanly
    EXPECT_FALSE(link_.IsOpen());
}

// An adapter pulled and plugged back: the device path (here a symbolic link, as the stand-in
// receiver makes one) leads to a new pseudo-terminal after the old one hung up.
TEST_F(LinkTest, AnUnpluggedDeviceIsReopenedWithItsSettingsWhenItComesBack) {
    TempDir dir;
    const std::string device = (dir.Path() / "ttyGPS").string();
    auto pty = std::make_unique<PtyPair>();
    ASSERT_EQ(::symlink(pty->SlavePath().c_str(), device.c_str()), 0);
    ::setenv("ORBEX_SERIAL_PORTS", device.c_str(), 1);
    std::vector<std::string> logged;
    std::mutex loggedMutex;
    ConsoleLogHook().Install([&](const char* bytes, std::size_t count) {
        std::lock_guard<std::mutex> lock(loggedMutex);
        logged.emplace_back(bytes, count);
    });
    PortSettings settings;
    settings.flowRts = 1;
    SerialLink link;
    ASSERT_TRUE(link.Open(owner_.Post(), settings));
    EXPECT_TRUE(link.DeviceConnected());

    pty->Send("before 1\r\nbefore 2\r\nunfinish");
    EXPECT_EQ(TakeLines(2), (std::vector<std::string>{"before 1\r\n", "before 2\r\n"}));
    std::this_thread::sleep_for(milliseconds(100));  // the unfinished line is read too
    // Unplugged: the device and its node go. (A pseudo-terminal's number may be taken by
    // another program at once, so the path must not lead to it meanwhile.)
    pty.reset();
    ::unlink(device.c_str());
    const auto waitFor = [](const auto& done) {
        const auto deadline = std::chrono::steady_clock::now() + milliseconds(5000);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(milliseconds(10));
        }
        return done();
    };
    ASSERT_TRUE(waitFor([&] { return !link.DeviceConnected(); }));
    EXPECT_FALSE(link.WriteLine("@CD"));              // refused quietly while away
    std::this_thread::sleep_for(milliseconds(1200));  // several looks for the device
    EXPECT_EQ(messages_.Texts(),
              std::vector<std::string>{"Communication Error " + std::to_string(EIO)});

    pty = std::make_unique<PtyPair>();  // plugged back: same path, new device
    ASSERT_EQ(::symlink(pty->SlavePath().c_str(), device.c_str()), 0);
    ASSERT_TRUE(waitFor([&] { return link.DeviceConnected(); }));
    EXPECT_EQ(link.ReconnectCount(), 1u);
    termios mode{};
    ASSERT_EQ(::tcgetattr(pty->Master(), &mode), 0);  // a master reads its slave's settings
    EXPECT_NE(mode.c_cflag & CRTSCTS, 0u);
    pty->Send("after\r\n");
    EXPECT_EQ(TakeLines(1), std::vector<std::string>{"after\r\n"});
    EXPECT_TRUE(link.WriteLine("@SW"));
    EXPECT_EQ(pty->Receive(5), "@SW\r\n");
    link.Close();

    std::vector<unsigned> notices;
    for (unsigned message : owner_.Messages()) {
        if (message != UWM_LINE_QUEUED) {
            notices.push_back(message);
        }
    }
    EXPECT_EQ(notices, (std::vector<unsigned>{UWM_LINK_LOST, UWM_LINK_RESTORED}));
    // The log holds every byte received, the unfinished line included.
    EXPECT_EQ(logged,
              (std::vector<std::string>{"before 1\r\n", "before 2\r\n", "unfinish", "after\r\n"}));
    EXPECT_EQ(messages_.Texts().size(), 1u);
}

TEST_F(SerialLinkTest, CloseStopsTheReaderAndReleasesThePort) {
    ASSERT_TRUE(link_.Open(owner_.Post(), PortSettings{}));
    link_.Close();
    link_.Close();  // a second Close does nothing
    EXPECT_EQ(link_.PendingInputCount(), 0u);
    const std::string bytes = "@CD\r\n";
    EXPECT_FALSE(link_.Write(bytes.data(), bytes.size()));
    // The port is free again for the next Connect.
    EXPECT_TRUE(link_.Open(owner_.Post(), PortSettings{}));
}

class ReplayLinkTest : public LinkTest {
  protected:
    TempDir dir_;
    std::unique_ptr<ReplayLink> link_;

    bool Open(const std::string& path) {
        link_ = std::make_unique<ReplayLink>(path);
        return link_->Open(owner_.Post());
    }
};

TEST_F(ReplayLinkTest, ReplaysEveryLineThenReportsTheEnd) {
    std::vector<std::string> recorded;
    ReplayRecordHook().Install(
        [&](const char* bytes, std::size_t count) { recorded.emplace_back(bytes, count); });
    std::vector<std::string> logged;
    ConsoleLogHook().Install(
        [&](const char* bytes, std::size_t count) { logged.emplace_back(bytes, count); });
    const std::string path = dir_.Write("rec.dat", "$GPGGA,1\r\nbad\x01line\n\xDA\nlast");
    ASSERT_TRUE(Open(path));
    EXPECT_TRUE(link_->replay());

    const std::vector<std::string> expected = {"$GPGGA,1\r\n", "bad\x01line\n", "\xDA\n", "last"};
    EXPECT_EQ(TakeLines(expected.size()), expected);  // replayed lines are not tested
    const auto deadline = std::chrono::steady_clock::now() + milliseconds(3000);
    while (owner_.Messages().back() != UWM_REPLAY_END &&
           std::chrono::steady_clock::now() < deadline) {
        owner_.WaitForPost(milliseconds(50));
    }
    EXPECT_EQ(owner_.Messages().back(), UWM_REPLAY_END);
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"End of file"});

    const std::string command = "@CD\r\n";
    EXPECT_TRUE(link_->Write(command.data(), command.size()));  // nothing is sent
    EXPECT_TRUE(link_->WriteLine("@SW"));
    EXPECT_EQ(link_->PendingInputCount(), 0u);
    link_->Close();
    EXPECT_EQ(recorded, expected);
    EXPECT_TRUE(logged.empty());
}

TEST_F(ReplayLinkTest, AnEmptyFileEndsAtOnce) {
    const std::string path = dir_.Write("empty.dat", "");
    ASSERT_TRUE(Open(path));
    ASSERT_TRUE(owner_.WaitForPost(milliseconds(3000)));
    EXPECT_EQ(owner_.Messages(), std::vector<unsigned>{UWM_REPLAY_END});
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"End of file"});
    EXPECT_TRUE(SharedLineQueue().Empty());
}

TEST_F(ReplayLinkTest, FilesThatCannotBeOpenedForWritingFail) {
    EXPECT_FALSE(Open((dir_.Path() / "missing")));
    EXPECT_EQ(messages_.Texts().back(), kInitError + std::to_string(ENOENT));

    std::string readOnly = dir_.Write("readonly.dat", "$GPGGA\r\n");
    ::chmod(readOnly.c_str(), 0444);
    int expectedCode = EACCES;
    if (::geteuid() == 0) {
        // Permission bits do not stop the superuser; a running program's file still cannot
        // be opened for writing.
        readOnly = "/proc/self/exe";
        expectedCode = ETXTBSY;
    }
    EXPECT_FALSE(Open(readOnly));
    EXPECT_EQ(messages_.Texts().back(), kInitError + std::to_string(expectedCode));
    EXPECT_EQ(SystemError(), expectedCode);
    EXPECT_FALSE(link_->IsOpen());
    EXPECT_TRUE(owner_.Messages().empty());
}

TEST_F(ReplayLinkTest, CloseDuringReplayStopsWithoutTheEndNotice) {
    std::string many;
    for (int i = 0; i < 100000; ++i) {
        many += "$GPGSV,line," + std::to_string(i) + "\r\n";
    }
    const std::string path = dir_.Write("long.dat", many);
    ASSERT_TRUE(Open(path));
    EXPECT_EQ(TakeLines(3).size(), 3u);
    link_->Close();
    EXPECT_FALSE(link_->IsOpen());
    EXPECT_TRUE(messages_.Texts().empty());
    for (unsigned message : owner_.Messages()) {
        EXPECT_EQ(message, UWM_LINE_QUEUED);
    }
}

}  // namespace
}  // namespace orbex
