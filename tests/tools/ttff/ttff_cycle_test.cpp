// The TTFF cycle fed scripted receiver lines with a fake clock, its GGA reading and its records.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/test_files.h"
#include "tests/tools/ttff/fake_ttff_host.h"
#include "tests/tools/ttff/ttff_receiver_lines.h"
#include "tools/ttff/ttff_cycle.h"
#include "tools/ttff/ttff_result_file.h"
#include "tools/ttff/ttff_time_text.h"

namespace orbex {
namespace {

using test::kBanner;
using test::kFixed;
using test::kGsa;
using test::kNoFix;
using test::kZda;

class TtffCycleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("ttff_cycle_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        file_ = (dir_ / "TTFFCOLD_1206.dat").string();
        series_.idle = false;
        series_.firstRecordPending = true;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    TtffMeasurementCycle MakeCycle(StartMode mode = StartMode::Cold, bool recordLog = true) {
        CycleSetup setup;
        setup.mode = mode;
        setup.recordLog = recordLog;
        setup.resultFile = file_;
        setup.start = host_.now;
        setup.startText = CycleStartRecordText(host_.now);
        return TtffMeasurementCycle(series_, host_, setup);
    }
    // Feeds lines until the cycle is over; returns how many were taken.
    int Feed(TtffMeasurementCycle& cycle, const std::vector<std::string>& lines) {
        int taken = 0;
        for (const std::string& line : lines) {
            ++taken;
            if (cycle.OnLine(line)) {
                break;
            }
        }
        return taken;
    }
    // Reset, echo and banner at the current time, no fix for `seconds`, then the fix.
    void ColdCycle(int seconds, bool recordLog = true) {
        TtffMeasurementCycle cycle = MakeCycle(StartMode::Cold, recordLog);
        cycle.Begin();
        cycle.SendReset();
        Feed(cycle, {"@CD\r\n", kBanner, kNoFix, kZda});
        host_.now += seconds;
        ASSERT_EQ(Feed(cycle, {kNoFix, kFixed, kZda}), 2);
        cycle.Finish();
    }

    std::filesystem::path dir_;
    std::string file_;
    test::FakeTtffHost host_;
    TtffSeries series_;
};

TEST_F(TtffCycleTest, ColdResultsAreCountedAndRecordedWithOneHeaderPerSeries) {
    ColdCycle(3);
    EXPECT_EQ(host_.sent, std::vector<std::string>{"@CD\r\n"});
    EXPECT_EQ(host_.Lines(), (std::vector<std::string>{"ColdStart", "TTFF TIME = 3 sec"}));
    EXPECT_TRUE(series_.idle);
    ColdCycle(4);
    EXPECT_EQ(series_.count, 2);
    EXPECT_EQ(series_.average, 3);  // 7 / 2, truncated
    EXPECT_EQ(host_.shownAverage, 3);
    EXPECT_EQ(test::Slurp(file_),
              "Start Mode: Cold Start\r\n"
              "Count,Year,Month,Day,StartTime,TTFF(s),Ave(s),LatDir,LatDeg,LatMin,LonDir,LonDeg,"
              "LonMin,Alt\r\n"
              "1,2003,12,06,20:03:42,3,3,N,35,40.8741,E,139,46.0275,40.1\r\n"
              "2,2003,12,06,20:03:45,4,3,N,35,40.8741,E,139,46.0275,40.1\r\n");
    ASSERT_EQ(host_.reports.size(), 2u);
    EXPECT_EQ(host_.reports[1].end, CycleEnd::Result);
    EXPECT_DOUBLE_EQ(host_.reports[1].position.LatitudeDegrees(), 35 + 40.8741 / 60);
}

TEST_F(TtffCycleTest, SettlingEndsOnlyAtTheMarkerOfTheNextCount) {
    series_.count = 4;
    TtffMeasurementCycle cycle = MakeCycle();
    cycle.Begin();
    EXPECT_FALSE(cycle.EndsSettling("@ 4\r\n"));
    EXPECT_TRUE(cycle.EndsSettling("@ 5\r\n"));
    EXPECT_TRUE(host_.sent.empty());
}

TEST_F(TtffCycleTest, ReceiverFixedAfterItsBannerGivesTheHotResultOnTheFifthLine) {
    TtffMeasurementCycle cycle = MakeCycle(StartMode::Hot);
    cycle.Begin();
    cycle.SendReset();
    // The fixed sentence itself is the first of the five lines.
    EXPECT_EQ(Feed(cycle, {"@SR\r\n", kBanner, kFixed, kGsa, kGsa, kGsa, kZda, kGsa}), 7);
    cycle.Finish();
    EXPECT_EQ(host_.Lines(),
              (std::vector<std::string>{"HotStart", "Gps:HotMode Start", "TTFF TIME = 1 sec"}));
    EXPECT_EQ(series_.lastTtff, 1);
    EXPECT_EQ(series_.count, 1);
    EXPECT_TRUE(host_.reports[0].hotPath);
    EXPECT_NE(test::Slurp(file_).find("\r\n1,2003,12,06,20:03:42,1,1,N,"), std::string::npos);
}

TEST_F(TtffCycleTest, LinesFromBeforeTheRestartDoNotEndTheCycle) {
    // A busy main window hands on a fixed "$GPGGA" and a "$GPZDA" received before the reset
    // only after the reset went out: they precede the echo and the banner.
    TtffMeasurementCycle cold = MakeCycle(StartMode::Cold);
    cold.Begin();
    cold.SendReset();
    EXPECT_EQ(Feed(cold, {kFixed, kZda, "@CD\r\n", kBanner, kNoFix, kZda, kNoFix}), 7);
    EXPECT_FALSE(cold.over());
    host_.now += 5;
    EXPECT_EQ(Feed(cold, {kNoFix, kFixed}), 2);
    cold.Finish();
    EXPECT_EQ(host_.Lines(), (std::vector<std::string>{"ColdStart", "TTFF TIME = 5 sec"}));
    // A hot start looks at the first "$GPGGA" after the banner, not at a stale one.
    host_.lines.clear();
    TtffMeasurementCycle hot = MakeCycle(StartMode::Hot);
    hot.Begin();
    hot.SendReset();
    EXPECT_EQ(Feed(hot, {kFixed, kZda, "@SR\r\n", kBanner, kFixed, kGsa, kGsa, kGsa, kZda}), 9);
    hot.Finish();
    EXPECT_EQ(host_.Lines(),
              (std::vector<std::string>{"HotStart", "Gps:HotMode Start", "TTFF TIME = 1 sec"}));
    EXPECT_EQ(series_.count, 2);
}

TEST_F(TtffCycleTest, SubSecondIntervalsRunFromBannerAndFromTheResetToTheFixThatEndsTheCycle) {
    host_.monotonicMs = 1000;
    TtffMeasurementCycle cold = MakeCycle();
    cold.Begin();
    cold.SendReset();
    host_.monotonicMs = 1250;
    Feed(cold, {"@CD\r\n", kBanner, kNoFix, kZda});
    host_.now += 3;
    host_.monotonicMs = 4270;
    Feed(cold, {kNoFix, kFixed});
    cold.Finish();
    ASSERT_EQ(host_.reports.size(), 1u);
    EXPECT_DOUBLE_EQ(host_.reports[0].ttffMs.value_or(-1), 3020);
    EXPECT_DOUBLE_EQ(host_.reports[0].resetToFixMs.value_or(-1), 3270);

    // The hot path ends five lines after its first fixed "$GPGGA", and is timed to that one.
    host_.monotonicMs = 10000;
    TtffMeasurementCycle hot = MakeCycle(StartMode::Hot);
    hot.Begin();
    hot.SendReset();
    host_.monotonicMs = 10100;
    Feed(hot, {"@SR\r\n", kBanner});
    host_.monotonicMs = 10400;
    Feed(hot, {kFixed});
    host_.monotonicMs = 12000;
    Feed(hot, {kGsa, kGsa, kGsa, kZda});
    hot.Finish();
    ASSERT_EQ(host_.reports.size(), 2u);
    EXPECT_TRUE(host_.reports[1].hotPath);
    EXPECT_DOUBLE_EQ(host_.reports[1].ttffMs.value_or(-1), 300);
    EXPECT_DOUBLE_EQ(host_.reports[1].resetToFixMs.value_or(-1), 400);
}

TEST_F(TtffCycleTest, ReceiverThatNeverEchoesFailsOnTheFifteenthFixedLine) {
    TtffMeasurementCycle cycle = MakeCycle();
    cycle.Begin();
    cycle.SendReset();
    std::vector<std::string> lines(20, kFixed);
    EXPECT_EQ(Feed(cycle, lines), 15);
    cycle.Finish();
    EXPECT_EQ(host_.Lines(), (std::vector<std::string>{"ColdStart", "Command send fail.",
                                                       "Please check the commandline."}));
    EXPECT_FALSE(series_.idle);  // until STOP or CLEAR
    EXPECT_EQ(series_.count, 0);
    EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(TtffCycleTest, ImpossibleTimesAreReportedAndNotCounted) {
    for (int seconds : {0, -5, 36001}) {
        ColdCycle(seconds);
    }
    const std::vector<std::string> lines = host_.Lines();
    EXPECT_EQ(lines[1], "Error dTTFFTime = 0");
    EXPECT_EQ(lines[3], "Error dTTFFTime < 0");
    EXPECT_EQ(lines[5], "Error dTTFFTime > 36000");
    EXPECT_EQ(series_.count, 0);
    EXPECT_TRUE(series_.idle);  // the series goes on after the pause
    EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(TtffCycleTest, StopRequestEndsTheCycleAtItsNextLineWithoutRecord) {
    TtffMeasurementCycle cycle = MakeCycle();
    cycle.Begin();
    cycle.SendReset();
    EXPECT_FALSE(cycle.OnLine("@CD\r\n"));
    series_.stopRequested = true;
    EXPECT_TRUE(cycle.OnLine(kBanner));
    cycle.Finish();
    EXPECT_EQ(host_.reports[0].end, CycleEnd::Stopped);
    EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(TtffCycleTest, WithoutRecordLogNothingIsWrittenButCountAndAverageAdvance) {
    ColdCycle(3, false);
    ColdCycle(5, false);
    EXPECT_EQ(series_.count, 2);
    EXPECT_EQ(host_.shownAverage, 4);
    EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(TtffCycleTest, UnwritableFileKeepsTheResultAndTheHeaderForTheNextRecord) {
    const std::string wanted = file_;
    file_ = (dir_ / "missing" / "TTFF.dat").string();
    ColdCycle(3);
    EXPECT_EQ(host_.Lines().back(), "TTFFMode data can't be written\n");
    EXPECT_EQ(series_.count, 1);
    EXPECT_TRUE(host_.reports[0].recordFailed);
    file_ = wanted;
    ColdCycle(3);
    EXPECT_EQ(test::Slurp(file_).rfind("Start Mode: Cold Start\r\nCount,", 0), 0u);
}

TEST(GgaPositionTest, FixedColumnsWithShortFractionsNegativeAltitudeAndEmptyFields) {
    TtffPosition position;
    bool fix = false;
    ReadGgaPosition("$GPGGA,200345,3540.874,S,13946.027,W,2,08,01.2,-00012.3,M,,M,,*00", position,
                    fix);
    EXPECT_TRUE(fix);
    EXPECT_EQ(FormatRecordLine(TtffRecord{1, "2003,12,06,20:03:42", 3, 3, position}),
              "1,2003,12,06,20:03:42,3,3,S,35,40.8740,W,139,46.0270,-12.3\r\n");
    // Without a fix the fields are empty: the position stays, quality "0" clears the fix.
    ReadGgaPosition(kNoFix, position, fix);
    EXPECT_FALSE(fix);
    EXPECT_EQ(position.latDeg, 35);
    EXPECT_EQ(position.altWhole, 12);
    // A truncated sentence reads as empty fields.
    ReadGgaPosition("$GPGGA,2003", position, fix);
    EXPECT_EQ(position.lonDeg, 139);
}

TEST(TtffTimeTextTest, UtcTextsInEnglishWithZeroPaddedDays) {
    EXPECT_EQ(CycleStartListText(1070741022), "Sat Dec 06 20:03:42 2003");
    EXPECT_EQ(CycleStartRecordText(1070741022), "2003,12,06,20:03:42");
    EXPECT_EQ(IsoUtcText(1070741022), "2003-12-06T20:03:42Z");
}

}  // namespace
}  // namespace orbex
