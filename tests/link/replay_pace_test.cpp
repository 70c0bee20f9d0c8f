// Replay at the recorded pace: which lines carry an epoch's time, when each line is due, and a
// paced replay through the link (held back, yet closed at once).
#include "link/replay_pace.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "link/line_queue.h"
#include "link/replay_link.h"
#include "tests/link/link_test_support.h"

namespace orbex {
namespace {

using Clock = ReplayPacer::Clock;
using std::chrono::milliseconds;

std::string NativeRecordAt(const std::string& hhmmss) {
    std::string line = "SMV104260815" + std::string("3") + hhmmss;
    line.resize(148, 'A');
    return line + "\r\n";
}

TEST(ReplayPaceTest, EpochTimesOfTheTimedLines) {
    EXPECT_EQ(EpochSecondOfDay("$GPGGA,120001,3540.8736,N*42\r\n"), 43201.0);
    EXPECT_EQ(EpochSecondOfDay("$GPZDA,235959.50,01,06,2026,00,00*4A\r\n"), 86399.5);
    EXPECT_EQ(EpochSecondOfDay(NativeRecordAt("081530")), 8 * 3600 + 15 * 60 + 30.0);
    EXPECT_EQ(EpochSecondOfDay(NativeRecordAt("0815")), std::nullopt);  // shifted: no time
    EXPECT_EQ(EpochSecondOfDay("$GPGSV,3,1,10,03,26,241,38*74\r\n"), std::nullopt);
    EXPECT_EQ(EpochSecondOfDay("$GPGGA,,,,*00\r\n"), std::nullopt);
    EXPECT_EQ(EpochSecondOfDay("$GPGGA,126001,x*00\r\n"), std::nullopt);  // minute 60
    EXPECT_EQ(EpochSecondOfDay("$GPGGA,12"), std::nullopt);
}

TEST(ReplayPaceTest, LinesAreDueAtTheirRecordedTimes) {
    const Clock::time_point start{};
    ReplayPacer recorded(ReplayPace::Recorded);
    EXPECT_EQ(recorded.DueTime("$GPGGA,235958*00", start), std::nullopt);  // the anchor
    EXPECT_EQ(recorded.DueTime("$GPGSV,1,1*00", start), std::nullopt);     // untimed
    EXPECT_EQ(recorded.DueTime("$GPZDA,235958*00", start), start);         // same epoch
    // Late readers do not push the schedule: due 2 s after the anchor across midnight.
    EXPECT_EQ(recorded.DueTime("$GPGGA,000000*00", start + milliseconds(1500)),
              start + milliseconds(2000));
    // A step back or a long gap starts again from the moment it is read.
    const Clock::time_point later = start + milliseconds(5000);
    EXPECT_EQ(recorded.DueTime("$GPGGA,000000*00", later), start + milliseconds(2000));
    EXPECT_EQ(recorded.DueTime("$GPGGA,235900*00", later), std::nullopt);
    EXPECT_EQ(recorded.DueTime("$GPGGA,120000*00", later), std::nullopt);
    EXPECT_EQ(recorded.DueTime("$GPGGA,120001*00", later), later + milliseconds(1000));

    ReplayPacer x10(ReplayPace::RecordedX10);
    x10.DueTime("$GPGGA,120000*00", start);
    EXPECT_EQ(x10.DueTime("$GPGGA,120030*00", start), start + milliseconds(3000));

    ReplayPacer fast(ReplayPace::Fast);
    fast.DueTime("$GPGGA,120000*00", start);
    EXPECT_EQ(fast.DueTime("$GPGGA,120030*00", start), std::nullopt);
}

TEST(ReplayPaceTest, APacedReplayHoldsLinesBackAndClosesAtOnce) {
    testing::MessageSink messages;
    testing::RecordingOwner owner;
    testing::TempDir dir;
    SharedLineQueue().Clear();
    const std::string path =
        dir.Write("paced.rec", "$GPGGA,120000*00\r\n$GPGGA,120002*00\r\n$GPGGA,120300*00\r\n");
    ReplayLink link(path);
    link.SetReplayPace(ReplayPace::RecordedX10);
    const auto start = Clock::now();
    ASSERT_TRUE(link.Open(owner.Post()));
    std::string line;
    for (int taken = 0; taken < 2;) {
        taken += SharedLineQueue().Pop(line);
        std::this_thread::sleep_for(milliseconds(5));
    }
    EXPECT_GE(Clock::now() - start, milliseconds(200));  // 2 s of recording at x10
    // The third line is 18 s away; Close ends the wait instead of sitting it out.
    const auto closing = Clock::now();
    link.Close();
    EXPECT_LT(Clock::now() - closing, std::chrono::seconds(5));
    EXPECT_FALSE(SharedLineQueue().Pop(line));
    SharedLineQueue().Clear();
}

}  // namespace
}  // namespace orbex
