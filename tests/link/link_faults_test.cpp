// What a bench throws at a link: a receiver that says nothing, one that babbles megabytes
// without a line end, and a recording cut short while it is replayed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "link/line_hook.h"
#include "link/line_queue.h"
#include "link/replay_link.h"
#include "link/serial_link.h"
#include "platform/window_messages.h"
#include "tests/link/link_fixture.h"
#include "tests/link/link_test_support.h"
#include "tests/platform/pty_pair.h"

namespace orbex {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

class LinkFaultTest : public testing::LinkTest {};

TEST_F(LinkFaultTest, ASilentReceiverQueuesNothingAndClosesAtOnce) {
    testing::PtyPair pty;
    ASSERT_TRUE(pty.Valid());
    ::setenv("ORBEX_SERIAL_PORTS", pty.SlavePath().c_str(), 1);
    SerialLink link;
    ASSERT_TRUE(link.Open(owner_.Post(), PortSettings{}));
    std::this_thread::sleep_for(milliseconds(600));
    const auto start = steady_clock::now();
    link.Close();
    // The reader sleeps on the port and the stop event, so Close wakes it at once; a bound
    // far above that only catches a hang.
    EXPECT_LT(steady_clock::now() - start, milliseconds(1000));
    EXPECT_TRUE(SharedLineQueue().Empty());
    EXPECT_TRUE(owner_.Messages().empty());
    EXPECT_TRUE(messages_.Texts().empty());
}

TEST_F(LinkFaultTest, TwoMegabytesWithoutALineEndAreHandedOnWholeAndReceptionGoesOn) {
    testing::PtyPair pty;
    ASSERT_TRUE(pty.Valid());
    ::setenv("ORBEX_SERIAL_PORTS", pty.SlavePath().c_str(), 1);
    std::size_t loggedBytes = 0;
    ConsoleLogHook().Install([&](const char*, std::size_t count) { loggedBytes += count; });
    SerialLink link;
    ASSERT_TRUE(link.Open(owner_.Post(), PortSettings{}));
    constexpr std::size_t kRun = 2 * 1024 * 1024;
    std::thread receiver([&] {
        const std::string block(4096, 'z');
        for (std::size_t sent = 0; sent < kRun; sent += block.size()) {
            pty.Send(block);
        }
        pty.Send("$GPGGA,after\r\n");
    });
    std::vector<std::string> lines;
    std::string line;
    const auto deadline = steady_clock::now() + milliseconds(30000);
    while ((lines.empty() || lines.back() != "$GPGGA,after\r\n") &&
           steady_clock::now() < deadline) {
        if (SharedLineQueue().Pop(line)) {
            lines.push_back(std::move(line));
        } else {
            std::this_thread::sleep_for(milliseconds(2));
        }
    }
    receiver.join();
    link.Close();
    ASSERT_EQ(lines.size(), kRun / 2048 + 1);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        ASSERT_EQ(lines[i], std::string(2048, 'z')) << i;
    }
    EXPECT_EQ(loggedBytes, kRun + 14);
    EXPECT_TRUE(messages_.Texts().empty());
}

TEST_F(LinkFaultTest, ARecordingCutShortWhileReplayedEndsWhereTheFileNowEnds) {
    testing::TempDir dir;
    std::string recording;
    // Far more than the reader takes in one block, in long lines, so the cut is met soon.
    for (int i = 0; i < 2000; ++i) {
        recording += "$GPGSV,line," + std::to_string(i) + std::string(190, ',') + "\r\n";
    }
    const std::string path = dir.Write("cut.dat", recording);
    ReplayLink link(path);
    ASSERT_TRUE(link.Open(owner_.Post()));
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() < 5) {
        if (SharedLineQueue().Pop(line)) {
            lines.push_back(line);
        }
    }
    // Cut the file in the middle of a line, far beyond what the reader has taken.
    const std::size_t cut = recording.size() / 2 + 3;
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(cut)), 0);
    const auto deadline = steady_clock::now() + milliseconds(60000);
    while (steady_clock::now() < deadline &&
           (owner_.Messages().empty() || owner_.Messages().back() != UWM_REPLAY_END)) {
        owner_.WaitForPost(milliseconds(50));
    }
    link.Close();
    while (SharedLineQueue().Pop(line)) {
        lines.push_back(line);
    }
    ASSERT_EQ(owner_.Messages().back(), UWM_REPLAY_END);
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"End of file"});
    // Every byte up to the cut was handed on, in order; the cut line as far as it goes.
    std::string joined;
    for (const std::string& each : lines) {
        joined += each;
    }
    EXPECT_EQ(joined, recording.substr(0, cut));
}

}  // namespace
}  // namespace orbex
