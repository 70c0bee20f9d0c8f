// START, STOP, CLEAR and the series timer over a real cycle worker fed from the test thread.
#include <gtest/gtest.h>

#include "tests/tools/ttff/fake_ttff_host.h"
#include "tests/tools/ttff/ttff_receiver_lines.h"
#include "tools/ttff/ttff_series_control.h"

namespace orbex {
namespace {

using test::kFixed;
using test::kNoFix;
using test::kZda;

class TtffSeriesTest : public ::testing::Test {
  protected:
    TtffSeriesControl control_{host_, [](StartMode) { return std::string("/nonexistent/x"); },
                               [] { return 16383; }};

    // Plays the receiver through one cycle: settling lines until the reset is sent, then echo,
    // banner and a fix three seconds later.
    void MeasureOneCycle() {
        const std::size_t sent = host_.SentCount();
        ASSERT_TRUE(host_.WaitUntil([&] {
            control_.OfferLine(kZda);
            return host_.SentCount() > sent;
        }));
        const std::size_t reports = host_.ReportCount();
        control_.OfferLine("@CD\r\n");
        control_.OfferLine("VELMAR VM8140 GPS V1.04\r\n");
        control_.OfferLine(kNoFix);
        control_.OfferLine(kZda);
        control_.OfferLine(kFixed);
        ASSERT_TRUE(host_.WaitUntil([&] { return host_.ReportCount() > reports; }));
    }

    test::FakeTtffHost host_;
};

TEST_F(TtffSeriesTest, StartWithoutModeAsksForOneAndLeavesTheSeriesIdle) {
    control_.Start(TtffSelection{StartMode::None, 5, 7, false});
    control_.Start(TtffSelection{StartMode::None, 5, 7, false});
    EXPECT_EQ(host_.errors,
              (std::vector<std::string>{"Please select command !\n", "Please select command !\n"}));
    EXPECT_FALSE(control_.cycleRunning());
}

TEST_F(TtffSeriesTest, SecondStartWhileMeasuringAsksForStop) {
    control_.Start(TtffSelection{StartMode::Cold, 1, 7, false});
    control_.Start(TtffSelection{StartMode::Cold, 1, 7, false});
    EXPECT_EQ(host_.errors, std::vector<std::string>{"Please push stop button !\n"});
    EXPECT_FALSE(host_.timer);  // "Max Count" 1: no series timer
    control_.Stop();
    // The cycle ends at its next line, before its reset.
    ASSERT_TRUE(host_.WaitUntil([&] {
        control_.OfferLine(kZda);
        return !control_.cycleRunning();
    }));
    EXPECT_EQ(host_.SentCount(), 0u);
}

TEST_F(TtffSeriesTest, ZeroSecondsStartsTheNextCycleSixTicksAfterAResult) {
    host_.step = 3;  // cycle start, banner and fix three seconds apart
    control_.Start(TtffSelection{StartMode::Cold, 2, 7, false});  // 2 measurements, "0sec"
    EXPECT_TRUE(host_.timer);
    MeasureOneCycle();
    EXPECT_EQ(host_.Lines().back(), "TTFF TIME = 3 sec");
    for (int tick = 1; tick <= 5; ++tick) {
        control_.Tick();
    }
    EXPECT_EQ(host_.SentCount(), 1u);
    control_.Tick();
    EXPECT_TRUE(control_.cycleRunning());
    MeasureOneCycle();
    EXPECT_EQ(control_.series().count, 2);
    control_.Tick();
    EXPECT_FALSE(host_.timer);  // the count is reached: the series ends
    EXPECT_TRUE(control_.Finished());
    control_.Clear();
    EXPECT_EQ(control_.series().count, 0);
    EXPECT_TRUE(host_.Lines().empty());
}

TEST_F(TtffSeriesTest, RandomIntervalLiesBetweenThirtyAndOneHundredFiftySeconds) {
    EXPECT_EQ(RandomInterval(0), 30);
    EXPECT_EQ(RandomInterval(16383), 89);
    EXPECT_EQ(RandomInterval(32767), 150);
    control_.Start(TtffSelection{StartMode::Cold, 0, kRandomInterval, false});  // "Inf.", "Randam"
    EXPECT_TRUE(control_.series().randomInterval);
    EXPECT_EQ(control_.series().interval, 89);
    EXPECT_EQ(control_.series().maxCount, 0);
    control_.Shutdown();
}

}  // namespace
}  // namespace orbex
