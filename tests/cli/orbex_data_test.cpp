// Runs orbex-data itself against vm8140-sim and a silent pseudo-terminal.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include "tests/link/link_test_support.h"
#include "tests/platform/pty_pair.h"
#include "tests/sim/child_process.h"
#include "tests/support/test_files.h"

namespace orbex {
namespace {

struct DataRun {
    int exitCode = -1;
    std::string err;
};

using orbex::test::Slurp;

class OrbexDataTest : public ::testing::Test {
  protected:
    DataRun Data(const std::string& arguments) {
        const auto err = dir_.Path() / "err";
        const std::string command = "ORBEX_HOME=" + dir_.Path().string() +
                                    " ORBEX_REGISTRY=" + (dir_.Path() / "orbex.reg").string() +
                                    " " + ORBEX_DATA_PATH + " " + arguments + " 2>" + err.string();
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(err)};
    }
    std::string Sim() {
        sim_ = std::make_unique<sim::testing::ChildProcess>(
            std::vector<std::string>{ORBEX_SIM_EXE, "--rate", "5"});
        return sim_->ReadLine(5000).value_or("");
    }

    testing::TempDir dir_;
    std::unique_ptr<sim::testing::ChildProcess> sim_;
};

TEST_F(OrbexDataTest, BadArgumentsAndUnopenablePortsExitWithTwo) {
    for (const char* arguments :
         {"", "get", "get almanac", "fetch almanac --port 0", "get stars --port /dev/null",
          "get both --port x --file f", "get almanac --port x --timeout -1"}) {
        const DataRun run = Data(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    const DataRun missing = Data("get almanac --port /dev/no-such-port");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("COM Port Initialization Error"), std::string::npos);
}

TEST_F(OrbexDataTest, AlmanacAndEphemerisRoundTripThroughTheSimulator) {
    const std::string port = Sim();
    ASSERT_FALSE(port.empty());
    const DataRun get = Data("get both --port " + port + " --timeout 10");
    ASSERT_EQ(get.exitCode, 0) << get.err;
    EXPECT_NE(get.err.find("orbex-data: 64 lines stored in " + (dir_.Path() / "AL.DAT").string()),
              std::string::npos);
    std::string almanac = Slurp(dir_.Path() / "AL.DAT");
    const std::string ephemeris = Slurp(dir_.Path() / "EP.DAT");
    EXPECT_EQ(std::count(ephemeris.begin(), ephemeris.end(), '\n'), 96);
    // Send the first almanac line back as the receiver's third: the next dump shows it there.
    const std::string first = almanac.substr(0, almanac.find('\n') + 1);
    const std::size_t third = almanac.find('\n', almanac.find('\n') + 1) + 1;
    almanac.replace(third, almanac.find('\n', third) + 1 - third, first);
    std::ofstream(dir_.Path() / "mine.dat", std::ios::binary) << almanac;
    const DataRun put = Data("put almanac --port " + port + " --timeout 10 --file " +
                             (dir_.Path() / "mine.dat").string());
    ASSERT_EQ(put.exitCode, 0) << put.err;
    EXPECT_NE(put.err.find("orbex-data: Receiver Initialization Completed\n"), std::string::npos);
    ASSERT_EQ(Data("get almanac --port " + port + " --timeout 10").exitCode, 0);
    EXPECT_EQ(Slurp(dir_.Path() / "AL.DAT"), almanac);

    const DataRun assist = Data("get assist-wcdma --port " + port + " --timeout 10");
    EXPECT_EQ(assist.exitCode, 0) << assist.err;
    const DataRun sent = Data("put assist-wcdma --port " + port + " --timeout 10");
    EXPECT_EQ(sent.exitCode, 0) << sent.err;
    EXPECT_NE(sent.err.find("orbex-data: [SII] OK"), std::string::npos) << sent.err;
}

TEST_F(OrbexDataTest, SilentReceiverAndUnwritableFolderFailWithOne) {
    testing::PtyPair silent;
    ASSERT_TRUE(silent.Valid());
    const DataRun run = Data("put almanac --port " + silent.SlavePath() + " --timeout 0.3");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no reply from the receiver within 0.3 s while waiting for receiver "
                           "output; nothing more was sent"),
              std::string::npos)
        << run.err;

    const std::string port = Sim();
    ASSERT_FALSE(port.empty());
    const DataRun unwritable =
        Data("get almanac --port " + port + " --timeout 10 --file /proc/orbex-no-such-dir/AL.DAT");
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("ALMANAC data ファイルが開けません エラーコード:2"),
              std::string::npos)
        << unwritable.err;
}

// The link's threads start after the signals are blocked: SIGTERM cancels the transfer (a
// "cancelled" line and exit 1) instead of killing the program.
TEST_F(OrbexDataTest, SigtermCancelsATransferWaitingForASilentReceiver) {
    testing::PtyPair silent;
    ASSERT_TRUE(silent.Valid());
    const auto err = dir_.Path() / "err";
    const std::string command = "ORBEX_HOME=" + dir_.Path().string() +
                                " ORBEX_REGISTRY=" + (dir_.Path() / "orbex.reg").string() + " " +
                                ORBEX_DATA_PATH + " put almanac --port " + silent.SlavePath() +
                                " --timeout 20 2>" + err.string() +
                                " & pid=$!; sleep 1; kill -TERM $pid; wait $pid";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
    EXPECT_NE(Slurp(err).find("cancelled"), std::string::npos) << Slurp(err);
}

}  // namespace
}  // namespace orbex
