// Accuracy figures on hand-placed fixes, and which decoded records count as fixes.
#include "decode/accuracy_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "decode/decode_line.h"
#include "decode/position_fix.h"
#include "tests/decode/test_lines.h"

namespace orbex {
namespace {

// A fix `north` and `east` metres from (lat, lon), placed with the same tangent plane the
// figures use, checked against it below.
GeoPoint At(double lat, double lon, double north, double east, double alt = std::nan("")) {
    const LocalOffset degree = OffsetFrom({lat, lon, 0}, {lat + 1e-3, lon + 1e-3, 0});
    return {lat + north / degree.north * 1e-3, lon + east / degree.east * 1e-3, alt};
}

TEST(AccuracyStatisticsTest, FiguresOfKnownOffsets) {
    // Ten fixes just inside 1..10 m from the reference, alternately north and east of it.
    constexpr double k = 0.999;
    std::vector<GeoPoint> fixes;
    for (int r = 1; r <= 10; ++r) {
        fixes.push_back(r % 2 ? At(35.0, 139.0, k * r, 0, 40.0 + r)
                              : At(35.0, 139.0, 0, k * r, 40.0 + r));
    }
    const auto stats = ComputeAccuracyStatistics(fixes, GeoPoint{35.0, 139.0, 40.0});
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->fixes, 10u);
    EXPECT_NEAR(stats->sigmaNorth, k * std::sqrt((1 + 9 + 25 + 49 + 81) / 10.0), 1e-6);
    EXPECT_NEAR(stats->sigmaEast, k * std::sqrt((4 + 16 + 36 + 64 + 100) / 10.0), 1e-6);
    EXPECT_NEAR(stats->sigmaUp, std::sqrt(385 / 10.0), 1e-6);
    EXPECT_NEAR(stats->cep50, k * 5.0, 1e-6);   // the 5th of 10
    EXPECT_NEAR(stats->cep95, k * 10.0, 1e-6);  // the 10th: 9 of 10 are only 90 %
    EXPECT_NEAR(stats->twoDrms, k * 2 * std::sqrt(38.5), 1e-6);
    EXPECT_DOUBLE_EQ(stats->within[0], 0.1);
    EXPECT_DOUBLE_EQ(stats->within[1], 0.2);
    EXPECT_DOUBLE_EQ(stats->within[2], 0.5);
    EXPECT_DOUBLE_EQ(stats->within[3], 1.0);
    EXPECT_NEAR(stats->mean.altitude, 45.5, 1e-9);
}

TEST(AccuracyStatisticsTest, AboutTheMeanAndAtTheEdges) {
    EXPECT_FALSE(ComputeAccuracyStatistics({}));

    // Four fixes 3 m around a point: the mean is the point, every figure 3 m or its share.
    const std::vector<GeoPoint> square{At(-33.9, -151.2, 3, 0), At(-33.9, -151.2, -3, 0),
                                       At(-33.9, -151.2, 0, 3), At(-33.9, -151.2, 0, -3)};
    const auto stats = ComputeAccuracyStatistics(square);
    ASSERT_TRUE(stats);
    EXPECT_NEAR(stats->mean.latDegrees, -33.9, 1e-9);
    EXPECT_NEAR(stats->mean.lonDegrees, -151.2, 1e-9);
    EXPECT_NEAR(stats->cep50, 3.0, 1e-6);
    EXPECT_NEAR(stats->sigmaNorth, std::sqrt(4.5), 1e-6);
    EXPECT_TRUE(std::isnan(stats->sigmaUp));  // no fix has an altitude

    // A run across the 180th meridian keeps its mean and offsets beside the fixes.
    const std::vector<GeoPoint> meridian{At(10.0, 179.99999, 0, 0), At(10.0, -179.99999, 0, 0)};
    const auto across = ComputeAccuracyStatistics(meridian);
    ASSERT_TRUE(across);
    EXPECT_NEAR(std::fabs(across->mean.lonDegrees), 180.0, 1e-9);
    EXPECT_LT(across->cep95, 2.0);
}

TEST(PositionFixTest, OnlyRecordsWithPositionAndFixFlagCount) {
    FixCollector collector;
    auto take = [&](const std::string& line) {
        ReceiverState record;
        EXPECT_TRUE(DecodeLine(record, line)) << line;
        return collector.Take(record);
    };
    EXPECT_FALSE(
        take(test::Sentence("$GPGGA,235959,3540.8742,N,13946.0275,E,0,00,99.9,"
                            "00040.0,M,036.7,M,,")));
    EXPECT_FALSE(take(test::Sentence("$GPGGA,235959,,,,,1,10,01.0,00040.0,M,036.7,M,,")));
    EXPECT_FALSE(take(test::Sentence("$GPZDA,235959,31,12,2026,00,00")));

    // The GGA after midnight takes the next day's date from the last ZDA.
    const auto fix = take(
        test::Sentence("$GPGGA,000000,3540.8742,S,13946.0275,W,1,10,01.0,00040.0,M,036.7,M,,"));
    ASSERT_TRUE(fix);
    EXPECT_NEAR(fix->position.latDegrees, -(35 + 40.8742 / 60), 1e-7);
    EXPECT_NEAR(fix->position.lonDegrees, -(139 + 46.0275 / 60), 1e-7);
    EXPECT_EQ(fix->time.year, 2027);
    EXPECT_EQ(fix->time.month, 1);
    EXPECT_EQ(fix->time.day, 1);

    std::string native = test::NativeRecord();
    EXPECT_TRUE(take(native));
    native[61] = '0';  // positioning mode: none
    EXPECT_FALSE(take(native));
}

TEST(PositionFixTest, FixesAheadOfTheFirstDateTakeItsDate) {
    std::vector<PositionFix> fixes(3);
    fixes[0].time = {0, 0, 0, 23, 59, 59, true};
    fixes[1].time = {2026, 3, 1, 0, 0, 1, true};
    fixes[2].time = {0, 0, 0, 0, 0, 2, true};
    FillMissingDates(fixes);
    EXPECT_EQ(fixes[0].time.year * 10000 + fixes[0].time.month * 100 + fixes[0].time.day, 20260228);
    EXPECT_FALSE(fixes[2].time.HasDate());  // after the first date: left as the stream gave it
}

}  // namespace
}  // namespace orbex
