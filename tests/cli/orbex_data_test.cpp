// Runs orbex-data itself against vm8140-sim and a silent pseudo-terminal.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/link/link_test_support.h"
#include "tests/platform/pty_pair.h"
#include "tests/sim/child_process.h"
#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

namespace orbex {
namespace {

using DataRun = orbex::test::ProgramRun;
using orbex::test::RunProgram;
using orbex::test::Slurp;

class OrbexDataTest : public ::testing::Test {
  protected:
    // Runs orbex-data, ended after a generous minute if it hangs (exit 124 then).
    DataRun Data(const std::string& arguments) {
        return RunProgram("ORBEX_HOME=" + dir_.Path().string() +
                              " ORBEX_REGISTRY=" + (dir_.Path() / "orbex.reg").string() +
                              " timeout 60 " + ORBEX_DATA_PATH + " " + arguments,
                          dir_.Path());
    }
    std::string Sim(std::vector<std::string> options = {"--rate", "5"}) {
        options.insert(options.begin(), ORBEX_SIM_EXE);
        sim_ = std::make_unique<sim::testing::ChildProcess>(options);
        return sim_->ReadLine(5000).value_or("");
    }
    // A data file of `count` almanac lines as the simulator stores them.
    std::string AlmanacFile(const std::string& name, int count) {
        std::string text;
        for (int i = 1; i <= count; ++i) {
            text += "ALM," + std::to_string(i) + "\r\r\n";
        }
        return dir_.Write(name, text);
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
    // The link's own text, then the path and the system's reason, once.
    EXPECT_EQ(missing.err,
              "orbex-data: COM Port Initialization Error Error Code:2\n"
              "orbex-data: /dev/no-such-port: No such file or directory\n");
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

TEST_F(OrbexDataTest, SilentReceiverFailsWithOneAndUnwritableFileWithTwo) {
    testing::PtyPair silent;
    ASSERT_TRUE(silent.Valid());
    const DataRun run = Data("put almanac --port " + silent.SlavePath() + " --timeout 0.3 --file " +
                             AlmanacFile("al.dat", 64));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no reply from the receiver within 0.3 s while waiting for receiver "
                           "output; nothing more was sent"),
              std::string::npos)
        << run.err;

    // A file named on the command line that cannot be written is bad use, told at once.
    const DataRun unwritable = Data("get almanac --port " + silent.SlavePath() +
                                    " --timeout 10 --file /proc/orbex-no-such-dir/AL.DAT");
    EXPECT_EQ(unwritable.exitCode, 2);
    EXPECT_EQ(unwritable.err,
              "orbex-data: cannot write /proc/orbex-no-such-dir/AL.DAT: No such file or "
              "directory\n");
}

// Each file is opened and checked before a command goes out: a receiver that would answer
// hears nothing of a transfer that cannot be made. A failed acquisition loses no stored data.
TEST_F(OrbexDataTest, FilesAreCheckedFirstAndAFailedTransferKeepsTheStoredFile) {
    testing::PtyPair receiver;
    ASSERT_TRUE(receiver.Valid());
    std::atomic<bool> stop{false};
    std::thread output([&] {
        while (!stop) {
            receiver.Send("$GPGGA,120000.00,3540.0000,N,13945.0000,E,1,08,1.0,10.0,M,,,,*00\r\n");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    std::filesystem::create_directory(dir_.Path() / "half");
    AlmanacFile("half/AL.DAT", 64);
    const std::string port = " --port " + receiver.SlavePath() + " --timeout 5";
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"put almanac --file " + (dir_.Path() / "missing").string(), "No such file"},
        {"put both --dir " + (dir_.Path() / "half").string(), "EP.DAT: No such file"},
        {"put almanac --file " + AlmanacFile("short.dat", 60), "holds 60 lines; an almanac"},
        {"put ephemeris --file " + AlmanacFile("al64.dat", 64), "an ephemeris file holds 96"},
    };
    for (const auto& c : cases) {
        const DataRun run = Data(c.arguments + port + " --json");
        EXPECT_EQ(run.exitCode, 2) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_NE(run.out.find("\"result\":\"file-error\""), std::string::npos) << run.out;
    }
    // The port is never opened, so the terminal echoes the receiver's own lines; no command.
    EXPECT_EQ(receiver.Receive(1 << 16, std::chrono::milliseconds(300)).find('@'),
              std::string::npos);
    // A default file (no --file or --dir) that is missing is a failure of the work.
    EXPECT_EQ(Data("put almanac" + port).exitCode, 1);

    // An acquisition that fails after the synchronisation (no echo of "@AMO") leaves the
    // stored almanac as it was and keeps what came in a file of its own.
    const std::string stored = AlmanacFile("AL.DAT", 64);
    const std::string before = Slurp(stored);
    const DataRun failed = Data("get almanac --port " + receiver.SlavePath() + " --timeout 1");
    EXPECT_EQ(failed.exitCode, 1) << failed.err;
    EXPECT_NE(failed.err.find(stored + " is unchanged, the lines received so far are in " + stored +
                              ".part"),
              std::string::npos)
        << failed.err;
    EXPECT_EQ(Slurp(stored), before);
    stop = true;
    output.join();
}

// With FILEPATH under ALMANAC, the ephemeris lies beside the almanac: "get both" keeps both
// and "put both" sends each as what it is, which the receiver confirms.
TEST_F(OrbexDataTest, FilePathSettingKeepsBothFilesAndPutBothSendsEachAsItIs) {
    std::filesystem::create_directory(dir_.Path() / "kept");
    const std::string almanac = (dir_.Path() / "kept" / "mine.dat").string();
    dir_.Write("orbex.reg",
               "Windows Registry Editor Version 5.00\r\n\r\n"
               "[HKEY_CURRENT_USER\\Software\\VELMAR\\ORBEX\\ALMANAC]\r\n"
               "\"FILEPATH\"=\"" +
                   almanac + "\"\r\n");
    const std::string port = Sim();
    ASSERT_FALSE(port.empty());
    ASSERT_EQ(Data("get both --port " + port + " --timeout 10").exitCode, 0);
    const std::string stored = Slurp(almanac);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), '\n'), 64);
    const std::string ephemeris = Slurp(dir_.Path() / "kept" / "EP.DAT");
    EXPECT_EQ(std::count(ephemeris.begin(), ephemeris.end(), '\n'), 96);
    const DataRun put = Data("put both --port " + port + " --timeout 10 --json");
    EXPECT_EQ(put.exitCode, 0) << put.err;
    EXPECT_NE(put.out.find("\"confirmed\":true"), std::string::npos) << put.out;
}

// --timeout bounds the synchronisation as a whole: a stream the transfer never recognises
// (4-channel records) ends the run, as a silent receiver does.
TEST_F(OrbexDataTest, TimeoutBoundsASynchronisationThatNeverSucceeds) {
    const std::string port = Sim({"--format", "4ch", "--rate", "5"});
    ASSERT_FALSE(port.empty());
    const DataRun run = Data("get almanac --port " + port + " --timeout 1");
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("no reply from the receiver within 1 s while waiting for receiver "
                           "output"),
              std::string::npos)
        << run.err;
}

// The receiver's upload replies are read: a rejected line fails the run with its words; a
// receiver that goes away mid-transfer ends the run instead of leaving it waiting.
TEST_F(OrbexDataTest, RejectedLinesAndAVanishedReceiverFailTheRun) {
    std::string port = Sim();
    ASSERT_FALSE(port.empty());
    ASSERT_EQ(Data("get both --port " + port + " --timeout 10").exitCode, 0);
    std::string almanac = Slurp(dir_.Path() / "AL.DAT");
    std::size_t fifth = 0;
    for (int i = 0; i < 4; ++i) {
        fifth = almanac.find('\n', fifth) + 1;
    }
    almanac.replace(fifth, almanac.find('\n', fifth) - fifth, "not almanac data\r\r");
    const std::string bad = dir_.Write("bad.dat", almanac);
    const DataRun rejected =
        Data("put almanac --port " + port + " --timeout 10 --json --file " + bad);
    EXPECT_EQ(rejected.exitCode, 1) << rejected.err;
    EXPECT_NE(rejected.err.find("the receiver rejected the data: [AMI] Line 05 Err"),
              std::string::npos)
        << rejected.err;
    EXPECT_NE(rejected.out.find("\"receiver\":\"[AMI] Line 05 Err\""), std::string::npos)
        << rejected.out;

    // Output once a second: the ephemeris waits for "$GP" output while the port hangs up.
    port = Sim({"--rate", "1", "--hangup-after", "1.5"});
    ASSERT_FALSE(port.empty());
    const DataRun gone = Data("put both --port " + port);
    EXPECT_EQ(gone.exitCode, 1) << gone.err;
    EXPECT_NE(gone.err.find("orbex-data: " + port + ": Input/output error"), std::string::npos)
        << gone.err;
    EXPECT_NE(gone.err.find(port + " is gone"), std::string::npos) << gone.err;
}

// The link's threads start after the signals are blocked: Ctrl-C and SIGTERM cancel the
// transfer (a "cancelled" line and exit 1) instead of killing the program.
TEST_F(OrbexDataTest, CtrlCAndSigtermCancelATransferWaitingForASilentReceiver) {
    testing::PtyPair silent;
    ASSERT_TRUE(silent.Valid());
    for (const char* signal : {"INT", "TERM"}) {
        const auto err = dir_.Path() / "err";
        // A shell without job control starts background programs with SIGINT ignored; the
        // program's own handling must not depend on what it inherits.
        const std::string command = "ORBEX_HOME=" + dir_.Path().string() +
                                    " ORBEX_REGISTRY=" + (dir_.Path() / "orbex.reg").string() +
                                    " " + ORBEX_DATA_PATH + " get almanac --port " +
                                    silent.SlavePath() + " --timeout 20 2>" + err.string() +
                                    " & pid=$!; sleep 1; kill -" + signal + " $pid; wait $pid";
        const int status = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << signal;
        EXPECT_NE(Slurp(err).find("orbex-data: cancelled"), std::string::npos) << Slurp(err);
    }
}

}  // namespace
}  // namespace orbex
