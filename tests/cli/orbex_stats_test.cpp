// Runs orbex-stats on recordings of vm8140-sim and holds its figures against the same figures
// computed here, independently, from the simulator's truth file (spherical earth, sorted
// distances), which the recording rounds to its text fields.
#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/link/link_test_support.h"
#include "tests/support/test_files.h"

namespace orbex {
namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string out;
};

using orbex::test::Slurp;

ProgramRun Shell(const std::string& command, const std::string& outPath) {
    const int status = std::system((command + " >" + outPath).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(outPath)};
}

struct Expected {
    double n = 0, sigmaNorth = 0, sigmaEast = 0, sigmaUp = 0, cep50 = 0, cep95 = 0, within5 = 0;
};

// The figures of the truth file's fixes about their mean, on a sphere of radius 6371 km.
Expected FromTruth(const std::string& path) {
    std::vector<double> lat, lon, alt;
    std::istringstream lines(Slurp(path));
    for (std::string line; std::getline(lines, line);) {
        rapidjson::Document d;
        d.Parse(line.c_str());
        if (!d.HasParseError() && d.HasMember("fix") && d["fix"].GetBool() &&
            d["tag"] == "$GPGGA") {
            lat.push_back(d["latArcSec"].GetDouble() / 3600);
            lon.push_back(d["lonArcSec"].GetDouble() / 3600);
            alt.push_back(d["altitude"].GetDouble());
        }
    }
    auto mean = [](const std::vector<double>& v) {
        double s = 0;
        for (double x : v)
            s += x;
        return s / static_cast<double>(v.size());
    };
    const double mLat = mean(lat), mLon = mean(lon), mAlt = mean(alt);
    const double metresPerDegree = 6371000.0 * M_PI / 180;
    Expected e;
    e.n = static_cast<double>(lat.size());
    std::vector<double> r;
    for (std::size_t i = 0; i < lat.size(); ++i) {
        const double dn = (lat[i] - mLat) * metresPerDegree;
        const double de = (lon[i] - mLon) * metresPerDegree * std::cos(mLat * M_PI / 180);
        e.sigmaNorth += dn * dn / e.n;
        e.sigmaEast += de * de / e.n;
        e.sigmaUp += (alt[i] - mAlt) * (alt[i] - mAlt) / e.n;
        r.push_back(std::hypot(dn, de));
        e.within5 += (r.back() <= 5.0) / e.n;
    }
    e.sigmaNorth = std::sqrt(e.sigmaNorth);
    e.sigmaEast = std::sqrt(e.sigmaEast);
    e.sigmaUp = std::sqrt(e.sigmaUp);
    std::sort(r.begin(), r.end());
    e.cep50 = r[static_cast<std::size_t>(std::ceil(0.50 * e.n)) - 1];
    e.cep95 = r[static_cast<std::size_t>(std::ceil(0.95 * e.n)) - 1];
    return e;
}

TEST(OrbexStatsTest, FiguresOfASimulatedWanderMatchTheTruth) {
    testing::TempDir dir;
    const std::string base = (dir.Path() / "wander").string();
    ASSERT_EQ(std::system((std::string(ORBEX_SIM_EXE) +
                           " --stdout --fast --seed 5 --duration 600 --format nmea --truth " +
                           base + ".truth </dev/null >" + base + ".rec")
                              .c_str()),
              0);
    const Expected e = FromTruth(base + ".truth");
    ASSERT_GT(e.n, 500);

    const ProgramRun run =
        Shell(std::string(ORBEX_STATS_EXE) + " " + base + ".rec --json", base + ".out");
    ASSERT_EQ(run.exitCode, 0);
    rapidjson::Document d;
    d.Parse(run.out.c_str());
    ASSERT_FALSE(d.HasParseError()) << run.out;
    EXPECT_EQ(d["fixes"].GetDouble(), e.n);
    const double twoDrms = d["2drms"].GetDouble();
    auto near = [](double got, double want) { return std::fabs(got - want) <= 0.03 * want; };
    EXPECT_TRUE(near(d["sigma"]["north"].GetDouble(), e.sigmaNorth)) << run.out;
    EXPECT_TRUE(near(d["sigma"]["east"].GetDouble(), e.sigmaEast)) << run.out;
    EXPECT_TRUE(near(d["sigma"]["up"].GetDouble(), e.sigmaUp)) << run.out;
    EXPECT_TRUE(near(d["cep50"].GetDouble(), e.cep50)) << run.out;
    EXPECT_TRUE(near(d["cep95"].GetDouble(), e.cep95)) << run.out;
    EXPECT_TRUE(near(twoDrms, 2 * std::hypot(e.sigmaNorth, e.sigmaEast))) << run.out;
    EXPECT_NEAR(d["within"]["5"].GetDouble(), e.within5, 0.03);
    EXPECT_LT(d["cep50"].GetDouble(), d["cep95"].GetDouble());
    EXPECT_LT(d["cep95"].GetDouble(), twoDrms);

    // About a reference 10 m north of the mean, the spread north grows to about 10 m.
    const double refLat = d["mean"]["lat"].GetDouble() + 10.0 / (6371000.0 * M_PI / 180);
    const ProgramRun shifted =
        Shell(std::string(ORBEX_STATS_EXE) + " " + base + ".rec --json --ref " +
                  std::to_string(refLat) + "," + std::to_string(d["mean"]["lon"].GetDouble()),
              base + ".out2");
    rapidjson::Document s;
    s.Parse(shifted.out.c_str());
    ASSERT_FALSE(s.HasParseError()) << shifted.out;
    EXPECT_NEAR(s["sigma"]["north"].GetDouble(), std::hypot(10.0, e.sigmaNorth), 0.3);
}

TEST(OrbexStatsTest, RefusesWhatItCannotUse) {
    testing::TempDir dir;
    const std::string out = (dir.Path() / "out").string();
    const std::string noFix = dir.Write("garbage.rec", "\x01\x02garbage\r\n$GPGSA,bad*00\r\n");
    EXPECT_EQ(Shell(std::string(ORBEX_STATS_EXE) + " " + noFix + " 2>/dev/null", out).exitCode, 1);
    EXPECT_EQ(Shell(std::string(ORBEX_STATS_EXE) + " /nonexistent 2>/dev/null", out).exitCode, 2);
    EXPECT_EQ(Shell(std::string(ORBEX_STATS_EXE) + " " + noFix + " --ref 95,10 2>/dev/null", out)
                  .exitCode,
              2);
    EXPECT_EQ(
        Shell(std::string(ORBEX_STATS_EXE) + " " + noFix + " -o /nonexistent/out 2>/dev/null", out)
            .exitCode,
        2);
}

// A full disk is told, on standard output and on -o alike, and fails the run.
TEST(OrbexStatsTest, AFullDiskIsToldAndFailsTheRun) {
    testing::TempDir dir;
    const std::string fix =
        dir.Write("two.rec",
                  "$GPGGA,125106,3854.5087,N,07726.4523,W,8,10,2.0,268.8,M,-33.9,M,,*7F\r\n"
                  "$GPGGA,125108,3854.5087,N,07726.4523,W,8,10,2.0,268.8,M,-33.9,M,,*71\r\n");
    const std::string err = (dir.Path() / "err").string();
    ASSERT_EQ(
        Shell(std::string(ORBEX_STATS_EXE) + " " + fix, (dir.Path() / "out").string()).exitCode, 0);
    for (const std::string& target : {std::string(" >/dev/full"), std::string(" -o /dev/full")}) {
        const int status =
            std::system((std::string(ORBEX_STATS_EXE) + " " + fix + target + " 2>" + err).c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << target;
        EXPECT_NE(Slurp(err).find("No space left on device"), std::string::npos) << Slurp(err);
    }
}

}  // namespace
}  // namespace orbex
