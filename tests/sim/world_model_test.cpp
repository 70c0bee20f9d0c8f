// The receiver's world: reproducible from its seed, 8 to 12 distinct satellites that move
// slowly, a position that wanders a few metres (or travels at the set speed), and a command
// line whose hemisphere switches do not depend on their order.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

#include "sim/receiver_world.h"
#include "sim/sim_options.h"
#include "sim_test_support.h"

namespace orbex::sim {
namespace {

double MetresBetween(double lat1, double lon1, double lat2, double lon2) {
    const double north = (lat2 - lat1) * 111'320.0;
    const double east = (lon2 - lon1) * 111'320.0 * std::cos(lat1 * std::numbers::pi / 180.0);
    return std::hypot(north, east);
}

TEST(ReceiverWorld, SeedDecidesTheConstellationWhichMovesSlowly) {
    std::set<std::vector<int>> constellations;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        SimOptions o = testing::TestOptions();
        o.seed = seed;
        ReceiverWorld world(o, testing::TestStart());
        ReceiverWorld twin(o, testing::TestStart());
        const EpochSnapshot a = world.Advance(testing::TestStart() + 1000);
        EXPECT_EQ(a.latDeg, twin.Advance(testing::TestStart() + 1000).latDeg);
        std::vector<int> prns;
        for (const SatelliteView& s : a.satellites) {
            EXPECT_GE(s.prn, 1);
            EXPECT_LE(s.prn, 32);
            EXPECT_GT(s.elevation, 0);
            prns.push_back(s.prn);
        }
        EXPECT_GE(prns.size(), 8u);
        EXPECT_LE(prns.size(), 12u);
        EXPECT_EQ(std::set<int>(prns.begin(), prns.end()).size(), prns.size());
        constellations.insert(prns);
        // A minute later every satellite has moved by a few degrees at most.
        const EpochSnapshot b = world.Advance(testing::TestStart() + 61'000);
        for (std::size_t k = 0; k < a.satellites.size(); ++k) {
            EXPECT_LE(std::abs(a.satellites[k].elevation - b.satellites[k].elevation), 2);
            const int turn = std::abs(a.satellites[k].azimuth - b.satellites[k].azimuth);
            EXPECT_LE(std::min(turn, 360 - turn), 2);
        }
    }
    EXPECT_GT(constellations.size(), 15u);
}

TEST(ReceiverWorld, PositionWandersAFewMetresOrTravels) {
    SimOptions o = testing::TestOptions();
    ReceiverWorld still(o, testing::TestStart());
    double farthest = 0;
    for (int s = 0; s < 1800; ++s) {
        const EpochSnapshot e = still.Advance(testing::TestStart() + s * 1000);
        farthest = std::max(farthest, MetresBetween(o.latDeg, o.lonDeg, e.latDeg, e.lonDeg));
        EXPECT_LT(e.speedKmh, 3.0);
        EXPECT_NEAR(e.altMetres, o.altMetres, 25);
    }
    EXPECT_GT(farthest, 1.0);
    EXPECT_LT(farthest, 20.0);

    o.speedKmh = 36;  // 10 m/s due east
    o.headingDeg = 90;
    ReceiverWorld moving(o, testing::TestStart());
    const EpochSnapshot e = moving.Advance(testing::TestStart() + 100'000);
    EXPECT_NEAR(MetresBetween(o.latDeg, o.lonDeg, e.latDeg, e.lonDeg), 1000, 25);
    EXPECT_GT(e.lonDeg, o.lonDeg);
    EXPECT_NEAR(e.speedKmh, 36, 2);
    EXPECT_NEAR(e.courseDeg, 90, 5);
}

TEST(SimCommandLine, HemispheresAndValuesInAnyOrder) {
    const ParsedOptions a = ParseSimOptions({"--south", "--lat", "33.5", "--west", "--lon", "70"});
    ASSERT_TRUE(a.error.empty()) << a.error;
    EXPECT_DOUBLE_EQ(a.options.latDeg, -33.5);
    EXPECT_DOUBLE_EQ(a.options.lonDeg, -70);
    const ParsedOptions b = ParseSimOptions({"--format", "4ch", "--handheld", "--rate", "2.5"});
    EXPECT_EQ(b.options.format, OutputFormat::kNmea) << "the handheld stream is NMEA";
    EXPECT_DOUBLE_EQ(b.options.rateHz, 2.5);
    EXPECT_NE(ParseSimOptions({"--bad-checksum-every", "2.5"}).error.find("whole number"),
              std::string::npos);
    EXPECT_NE(ParseSimOptions({"--start", "2026-13-01T00:00:00"}).error, "");
    EXPECT_EQ(ParseSimOptions({"--start", "2026-06-01 12:00:00Z"}).options.start,
              FromCivil(2026, 6, 1, 12, 0, 0));
}

TEST(SimClock, CalendarAndGpsWeek) {
    const CivilTime c = BreakDown(FromCivil(2024, 2, 29, 23, 59, 58) + 1500);
    EXPECT_EQ(c.second, 59);
    EXPECT_EQ(c.millisecond, 500);
    EXPECT_EQ(c.weekday, 4);  // Thursday
    EXPECT_EQ(c.dayOfYear, 59);
    EXPECT_EQ(GpsWeek10(FromCivil(1999, 8, 22, 0, 0, 0)), 0);
    EXPECT_EQ(GpsWeek10(FromCivil(2019, 4, 7, 0, 0, 0)), 0);  // the second roll-over
    EXPECT_EQ(GpsWeek10(FromCivil(2019, 4, 6, 23, 59, 59)), 1023);
    EXPECT_EQ(TimeOfWeekMillis(FromCivil(2026, 12, 8, 1, 0, 0)), (2 * 86400 + 3600) * 1000LL);
}

}  // namespace
}  // namespace orbex::sim
