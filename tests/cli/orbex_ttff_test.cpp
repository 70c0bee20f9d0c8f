// orbex-ttff itself against vm8140-sim on pseudo-terminals, and its statistics.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <rapidjson/document.h>

#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "cli/orbex_ttff/binomial_bound.h"
#include "cli/orbex_ttff/ttff_options.h"
#include "cli/orbex_ttff/ttff_statistics.h"
#include "tests/link/link_test_support.h"
#include "tests/support/program_run.h"
#include "tests/support/sim_process.h"
#include "tests/support/test_files.h"

namespace orbex {
namespace {

using namespace std::chrono_literals;

using TtffRun = orbex::test::ProgramRun;
using orbex::test::RunProgram;
using orbex::test::Slurp;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

int CountOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

class OrbexTtffTest : public ::testing::Test {
  protected:
    // A simulator at 5 epochs a second (the settling pause takes 20 bursts of lines).
    std::string StartSim(const std::string& name, std::vector<std::string> arguments) {
        const std::string link = (dir_.Path() / name).string();
        arguments.insert(arguments.end(), {"--rate", "5", "--link", link});
        sims_.push_back(std::make_unique<testing::SimProcess>(ORBEX_SIM_PATH, arguments));
        EXPECT_TRUE(testing::SimProcess::WaitForPath(link));
        return link;
    }
    TtffRun Ttff(const std::string& arguments) {
        return RunProgram(std::string(ORBEX_TTFF_PATH) + " " + arguments, dir_.Path());
    }

    testing::TempDir dir_;
    std::vector<std::unique_ptr<testing::SimProcess>> sims_;
};

TEST_F(OrbexTtffTest, ColdSeriesGivesEachResultNearTheTimeToFixWithOneHeaderInItsFile) {
    const std::string port = StartSim("sim", {"--ttff-cold", "3"});
    const std::string record = (dir_.Path() / "cold.dat").string();
    const std::string summary = (dir_.Path() / "summary.json").string();
    const TtffRun run = Ttff("--port " + port + " --mode cold --count 3 --json --record " + record +
                             " --summary " + summary + " --ref 35.681236,139.767125 --limit 30");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Split(run.out, '\n');
    ASSERT_EQ(lines.size(), 4u) << run.out;  // three results and the statistics
    for (int i = 0; i < 3; ++i) {
        rapidjson::Document result;
        ASSERT_FALSE(result.Parse(lines[i].c_str()).HasParseError()) << lines[i];
        EXPECT_EQ(std::string(result["port"].GetString()), port);
        EXPECT_EQ(result["cycle"].GetInt(), i + 1);
        EXPECT_EQ(std::string(result["start"].GetString()).size(), 20u);  // 2026-12-08T06:16:24Z
        EXPECT_NEAR(result["ttff"].GetInt(), 3, 1) << lines[i];
        EXPECT_NEAR(result["lat"].GetDouble(), 35.681236, 0.001);
        EXPECT_NEAR(result["lon"].GetDouble(), 139.767125, 0.001);
        EXPECT_EQ(result["count"].GetInt(), i + 1);
        // The monotonic intervals: the same interval as the whole seconds, and from the reset
        // on, which can only be longer.
        ASSERT_TRUE(result.HasMember("ttff_ms") && result.HasMember("reset_to_fix_ms"));
        EXPECT_NEAR(result["ttff_ms"].GetDouble(), result["ttff"].GetInt() * 1000.0, 1000.0);
        EXPECT_GE(result["reset_to_fix_ms"].GetDouble(), result["ttff_ms"].GetDouble());
        EXPECT_LT(result["error_m"].GetDouble(), 30.0) << lines[i];  // the simulator's noise
    }
    rapidjson::Document statistics;
    ASSERT_FALSE(statistics.Parse(lines[3].c_str()).HasParseError()) << lines[3];
    const auto& all = statistics["statistics"]["all"];
    EXPECT_EQ(all["count"].GetInt(), 3);
    EXPECT_LT(all["error_m_p95"].GetDouble(), 30.0);
    EXPECT_EQ(std::string(statistics["statistics"]["verdict"].GetString()), "pass");
    EXPECT_NEAR(statistics["statistics"]["confidence"].GetDouble(), std::pow(0.05, 1.0 / 3), 1e-4);
    // The summary holds the same results and statistics, and says the series is over.
    rapidjson::Document filed;
    ASSERT_FALSE(filed.Parse(Slurp(summary).c_str()).HasParseError()) << Slurp(summary);
    EXPECT_TRUE(filed["complete"].GetBool());
    EXPECT_EQ(std::string(filed["verdict"].GetString()), "pass");
    EXPECT_EQ(std::string(filed["options"]["mode"].GetString()), "cold");
    EXPECT_TRUE(filed["options"]["cycle_timeout"].IsNull());
    EXPECT_DOUBLE_EQ(filed["options"]["ref"][0].GetDouble(), 35.681236);
    const auto& cycles = filed["receivers"][0]["cycles"];
    ASSERT_EQ(cycles.Size(), 3u);
    rapidjson::Document last;
    last.Parse(lines[2].c_str());
    EXPECT_DOUBLE_EQ(cycles[2]["ttff_ms"].GetDouble(), last["ttff_ms"].GetDouble());
    EXPECT_DOUBLE_EQ(filed["all"]["mean"].GetDouble(), all["mean"].GetDouble());
    // Progress on standard error, one line per change when it is no terminal.
    EXPECT_NE(run.err.find(port + ": cycle 2 of 3, waiting for the fix"), std::string::npos)
        << run.err;
    EXPECT_LT(CountOf(run.err, "\n"), 20) << run.err;
    const std::vector<std::string> file = Split(Slurp(record), '\n');
    ASSERT_EQ(file.size(), 5u);
    EXPECT_EQ(file[0], "Start Mode: Cold Start\r");
    EXPECT_EQ(file[1].rfind("Count,Year,Month,Day,StartTime,TTFF(s),Ave(s),", 0), 0u);
    const std::vector<std::string> fields = Split(file[4], ',');
    ASSERT_EQ(fields.size(), 14u) << file[4];
    EXPECT_EQ(fields[0], "3");
    EXPECT_NEAR(std::stoi(fields[5]), 3, 1);
    EXPECT_EQ(fields[7] + fields[8] + fields[10] + fields[11], "N35E139");
    EXPECT_EQ(fields[13].back(), '\r');
}

TEST_F(OrbexTtffTest, TwoReceiversRunTheirSeriesAtOnceWithCombinedStatistics) {
    const std::string fast = StartSim("fast", {"--ttff-cold", "2", "--seed", "2"});
    const std::string slow = StartSim("slow", {"--ttff-cold", "5", "--seed", "3"});
    const std::string pattern = (dir_.Path() / "ttff_{port}.dat").string();
    const TtffRun run =
        Ttff("--port " + fast + " --port " + slow + " --mode cold --count 1 --record " + pattern);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(CountOf(run.out, fast + ": ColdStart"), 1) << run.out;
    EXPECT_EQ(CountOf(run.out, slow + ": TTFF TIME = "), 1) << run.out;
    const std::size_t at = run.out.find("statistics all: ");
    ASSERT_NE(at, std::string::npos) << run.out;
    int count = 0;
    int failures = -1;
    double mean = 0, median = 0, p95 = 0, min = 0, max = 0;
    ASSERT_EQ(std::sscanf(run.out.c_str() + at,
                          "statistics all: count %d, failures %d, mean %lf s, median %lf s, p95 "
                          "%lf s, min %lf s, max %lf s",
                          &count, &failures, &mean, &median, &p95, &min, &max),
              7)
        << run.out;
    EXPECT_EQ(count, 2);
    EXPECT_EQ(failures, 0);
    EXPECT_NEAR(min, 2, 1);
    EXPECT_NEAR(max, 5, 1);
    // The figures are printed to the hundredth of a second, the mean of the exact times.
    EXPECT_NEAR(mean, (min + max) / 2, 0.0051);
    EXPECT_DOUBLE_EQ(p95, max);  // nearest rank of two
    for (const std::string& name : {std::string("fast"), std::string("slow")}) {
        const std::string path = RecordPathFor(pattern, (dir_.Path() / name).string());
        EXPECT_EQ(CountOf(Slurp(path), "\r\n1,"), 1) << path;
    }
}

TEST_F(OrbexTtffTest, ReceiverIgnoringResetsFailsTheCommandCheckAndTheRunEvenWithoutALimit) {
    const std::string port = StartSim("deaf", {"--ignore-resets"});
    const TtffRun run = Ttff("--port " + port + " --mode cold --count 2");
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.out.find("ColdStart\nCommand send fail.\nPlease check the commandline.\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("count 0, failures 1, mean -, median -, p95 -"), std::string::npos)
        << run.out;
    EXPECT_NE(run.err.find(port + " failed every cycle"), std::string::npos) << run.err;
}

TEST_F(OrbexTtffTest, LimitFailsWhenOneReceiverMeasuredNothingThoughTheOthersPass) {
    const std::string good = StartSim("good", {"--ttff-cold", "2", "--seed", "2"});
    const std::string deaf = StartSim("deaf", {"--ignore-resets", "--seed", "3"});
    const std::string summary = (dir_.Path() / "summary.json").string();
    const TtffRun run = Ttff("--port " + good + " --port " + deaf +
                             " --mode cold --count 1 --limit 60 --max-failures 1 --summary " +
                             summary + " --report " + (dir_.Path() / "report.html").string());
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_NE(run.out.find("verdict: fail (" + deaf + " measured nothing), 1 of 2 cycles within"),
              std::string::npos)
        << run.out;
    rapidjson::Document filed;
    ASSERT_FALSE(filed.Parse(Slurp(summary).c_str()).HasParseError());
    EXPECT_EQ(std::string(filed["verdict"].GetString()), "fail");
    EXPECT_TRUE(filed["receivers"][1]["statistics"]["mean"].IsNull());
    EXPECT_NEAR(filed["confidence"].GetDouble(), 1 - std::sqrt(0.95), 1e-6);  // 1 of 2 within
    // The report of the same run, by orbex-report's code: both receivers and the verdict.
    const std::string page = Slurp(dir_.Path() / "report.html");
    EXPECT_NE(page.find("<svg"), std::string::npos);
    EXPECT_NE(page.find(deaf), std::string::npos);
    EXPECT_NE(page.find("FAIL"), std::string::npos);
}

// A receiver that prints nothing at all: a pseudo-terminal nobody writes to.
class SilentPort {
  public:
    SilentPort() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            path_ = ::ptsname(master_);
        }
    }
    ~SilentPort() {
        if (master_ >= 0) {
            ::close(master_);
        }
    }
    const std::string& path() const { return path_; }

  private:
    int master_ = -1;
    std::string path_;
};

TEST_F(OrbexTtffTest, CycleTimeoutFailsTheCyclesOfASilentReceiverAndTheSeriesGoesOn) {
    const SilentPort silent;
    ASSERT_FALSE(silent.path().empty());
    const TtffRun run = Ttff("--port " + silent.path() +
                             " --mode cold --count 2 --interval 1 --cycle-timeout 1 --json");
    EXPECT_EQ(run.exitCode, 1) << run.err;
    const std::vector<std::string> lines = Split(run.out, '\n');
    ASSERT_EQ(lines.size(), 3u) << run.out;
    for (int i = 0; i < 2; ++i) {
        rapidjson::Document failure;
        ASSERT_FALSE(failure.Parse(lines[i].c_str()).HasParseError()) << lines[i];
        EXPECT_EQ(failure["cycle"].GetInt(), i + 1);
        EXPECT_EQ(std::string(failure["error"].GetString()), "Error no fix within 1 sec");
    }
    rapidjson::Document statistics;
    ASSERT_FALSE(statistics.Parse(lines[2].c_str()).HasParseError()) << lines[2];
    const auto& all = statistics["statistics"]["all"];
    EXPECT_EQ(all["failures"].GetInt(), 2);
    EXPECT_TRUE(all["mean"].IsNull() && all["percentile"].IsNull() && all["stddev"].IsNull());
}

TEST_F(OrbexTtffTest, ReceiverUnpluggedWhileWaitingForTheFixEndsItsSeriesWithAFailure) {
    // At five epochs a second the settling pause ends after about 4 s; the fix would come
    // 60 s after the reset.
    const std::string port = StartSim("gone", {"--ttff-cold", "60", "--hangup-after", "7"});
    const TtffRun run = Ttff("--port " + port + " --mode cold --count 3");
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.out.find("ColdStart\nCommunication Error " + std::to_string(EIO) + "\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("count 0, failures 1"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("Communication Error " + std::to_string(EIO) + "\norbex-ttff: " + port +
                           ": " + std::strerror(EIO)),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(port + " went away"), std::string::npos) << run.err;
}

TEST_F(OrbexTtffTest, HotPathGivesOneSecond) {
    const std::string port = StartSim("hot", {"--ttff-hot", "0"});
    const TtffRun run = Ttff("--port " + port + " --mode hot --count 1 --limit 1");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("HotStart\nGps:HotMode Start\nTTFF TIME = 1 sec\n"), std::string::npos)
        << run.out;
}

TEST_F(OrbexTtffTest, InterruptStopsWithoutPartialRecordAndPrintsTheStatistics) {
    const std::string port = StartSim("sim", {"--ttff-cold", "30"});
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const std::string record = (dir_.Path() / "never.dat").string();
        const std::string summary = (dir_.Path() / "summary.json").string();
        const std::string out = (dir_.Path() / "out").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        std::vector<std::string> arguments = {ORBEX_TTFF_PATH, "--port",    port,   "--mode",
                                              "cold",          "--count",   "0",    "--record",
                                              record,          "--summary", summary};
        std::vector<char*> argv;
        for (std::string& a : arguments) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        pid_t pid = -1;
        ASSERT_EQ(posix_spawn(&pid, ORBEX_TTFF_PATH, &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        for (int i = 0; i < 1000 && Slurp(out).find("ColdStart") == std::string::npos; ++i) {
            std::this_thread::sleep_for(10ms);
        }
        ::kill(pid, signal);  // waiting for the fix
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_NE(Slurp(out).find("ColdStart\nstatistics " + port + ": count 0, failures 0"),
                  std::string::npos)
            << Slurp(out);
        EXPECT_FALSE(std::filesystem::exists(record));
        rapidjson::Document filed;
        ASSERT_FALSE(filed.Parse(Slurp(summary).c_str()).HasParseError()) << Slurp(summary);
        EXPECT_TRUE(filed["complete"].GetBool());
        EXPECT_TRUE(filed["verdict"].IsNull());
    }
}

TEST_F(OrbexTtffTest, BadArgumentsAndUnopenablePortsExitTwoWithOneLine) {
    for (const std::string& arguments :
         {std::string("--mode cold"), std::string("--port /dev/null --mode none"),
          std::string("--port a --port b --mode cold --record same.dat"),
          std::string("--port 999 --mode cold"), std::string("--port /nonexistent/tty --mode cold"),
          std::string("--port /dev/null --mode cold --max-failures 2"),
          std::string("--port /dev/null --mode cold --record /nonexistent/x.dat"),
          std::string("--port /dev/null --mode cold --summary /nonexistent/s.json")}) {
        const TtffRun run = Ttff(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        // A port that cannot be opened adds the port and the system's reason on a second line.
        const int lines = arguments.find("/nonexistent/tty") != std::string::npos ? 2 : 1;
        EXPECT_EQ(CountOf(run.err, "\n"), lines) << arguments << ": " << run.err;
        EXPECT_EQ(run.err.rfind("orbex-ttff: ", 0), 0u) << run.err;
        if (arguments.find("/nonexistent") != std::string::npos) {
            EXPECT_NE(run.err.find("/nonexistent/"), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(": No such file or directory"), std::string::npos) << run.err;
        }
    }
    const TtffRun help = Ttff("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--cycle-timeout S"), std::string::npos);
}

TEST(TtffStatisticsTest, FiguresOfAReport) {
    const TtffStatistics s = ComputeStatistics({5, 3, 4, 3, 40}, 2, 95);
    EXPECT_EQ(s.count, 5);
    EXPECT_EQ(s.failures, 2);
    EXPECT_DOUBLE_EQ(s.mean, 11);
    EXPECT_DOUBLE_EQ(s.median, 4);
    EXPECT_DOUBLE_EQ(s.percentile, 40);  // nearest rank: the 5th of 5
    EXPECT_DOUBLE_EQ(ComputeStatistics({5, 3, 4, 3, 40}, 0, 80).percentile, 5);
    EXPECT_DOUBLE_EQ(s.minimum, 3);
    EXPECT_DOUBLE_EQ(s.maximum, 40);
    EXPECT_NEAR(s.deviation, std::sqrt((36 + 64 + 49 + 64 + 841) / 4.0), 1e-9);
    EXPECT_EQ(ComputeStatistics({}, 1, 95).count, 0);
}

TEST(ClopperPearsonTest, LowerBoundsOfKnownShares) {
    EXPECT_NEAR(ClopperPearsonLowerBound(20, 20), 0.860892, 1e-5);
    EXPECT_NEAR(ClopperPearsonLowerBound(19, 20), 0.783894, 1e-5);
    EXPECT_NEAR(ClopperPearsonLowerBound(5, 10), 0.222441, 1e-5);
    EXPECT_NEAR(ClopperPearsonLowerBound(95, 100), 0.897747, 1e-5);
    EXPECT_NEAR(ClopperPearsonLowerBound(1, 1), 0.05, 1e-9);
    EXPECT_EQ(ClopperPearsonLowerBound(0, 20), 0.0);
    EXPECT_EQ(ClopperPearsonLowerBound(0, 0), 0.0);
    // A long series neither overflows nor loses the bound.
    const double longRun = ClopperPearsonLowerBound(9990, 10000);
    EXPECT_GT(longRun, 0.998);
    EXPECT_LT(longRun, 0.999);
}

}  // namespace
}  // namespace orbex
