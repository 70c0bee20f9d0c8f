// Runs the orbex-dump program itself, on recordings and on a pseudo-terminal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/link/link_test_support.h"
#include "tests/platform/pty_pair.h"
#include "tests/support/program_run.h"
#include "tests/support/sim_process.h"
#include "tests/support/test_files.h"

namespace orbex {
namespace {

using std::chrono::milliseconds;

using DumpRun = orbex::test::ProgramRun;
using orbex::test::RunProgram;
using orbex::test::Slurp;

// Starts orbex-dump with `arguments`, its standard output written afresh to `out` and its error
// to `err` (added after the output when both are one file), sends it `signal` after `delay` and
// returns its wait status; none when it has not ended within `limit` (it is killed then).
std::optional<int> StatusAfterSignal(std::vector<std::string> arguments,
                                     const std::filesystem::path& out,
                                     const std::filesystem::path& err, int signal,
                                     milliseconds delay, milliseconds limit) {
    arguments.insert(arguments.begin(), ORBEX_DUMP_PATH);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        return std::nullopt;
    }
    if (pid == 0) {
        if (std::freopen(out.c_str(), "w", stdout) &&
            std::freopen(err.c_str(), err == out ? "a" : "w", stderr)) {
            ::execv(ORBEX_DUMP_PATH, argv.data());
        }
        ::_exit(127);
    }
    std::this_thread::sleep_for(delay);
    ::kill(pid, signal);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(milliseconds(10));
    }
    return status;
}

class OrbexDumpTest : public ::testing::Test {
  protected:
    DumpRun Dump(const std::string& arguments) {
        return RunProgram(std::string(ORBEX_DUMP_PATH) + " " + arguments, dir_.Path());
    }

    testing::TempDir dir_;
};

TEST_F(OrbexDumpTest, FileAndReplayPrintTheSameLines) {
    std::string recording;
    for (int i = 0; i < 200; ++i) {
        recording += "$GPGGA,line " + std::to_string(i) + (i % 7 == 0 ? "\n" : "\r\n");
        if (i % 50 == 0) {
            recording += std::string(2100, 'L') + "\xDA\x01\r\n";  // overlong and unprintable
        }
    }
    recording += "last line without LF";
    const std::string path = dir_.Write("rec.dat", recording);

    const DumpRun file = Dump("--file " + path);
    EXPECT_EQ(file.exitCode, 0) << file.err;
    EXPECT_EQ(file.out, recording);  // every byte, terminators included
    EXPECT_EQ(file.err, "");

    const DumpRun replay = Dump("--replay " + path);
    EXPECT_EQ(replay.exitCode, 0) << replay.err;
    EXPECT_EQ(replay.out, file.out);
    EXPECT_EQ(replay.err, "orbex-dump: End of file\n");

    // The overlong run is cut at 2048 bytes: its first part is the second line.
    const DumpRun firstTwo = Dump("--file " + path + " --count 2");
    EXPECT_EQ(firstTwo.out, "$GPGGA,line 0\n" + std::string(2048, 'L'));
    EXPECT_EQ(Dump("--replay " + path + " --count 2").out, firstTwo.out);
}

TEST_F(OrbexDumpTest, BadArgumentsAndUnopenableSourcesExitWithTwo) {
    const std::string missing = (dir_.Path() / "missing.dat").string();
    const std::string cases[] = {
        "",
        "--speed 9600",
        "--port 0 --parity maybe",
        "--file " + missing,
        "--port 4000",
        "--file a --replay b",
        "--bogus",
    };
    for (const std::string& arguments : cases) {
        const DumpRun run = Dump(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        // One line of error, saying who speaks.
        EXPECT_EQ(run.err.rfind("orbex-dump: ", 0), 0u) << arguments << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        // Pointed to --help once.
        EXPECT_EQ(run.err.find("--help"), run.err.rfind("--help")) << run.err;
    }
    // A port or replay that cannot be opened: the link's own text, then the path and reason.
    for (const char* option : {"--port ", "--replay "}) {
        const DumpRun port = Dump(option + missing);
        EXPECT_EQ(port.exitCode, 2);
        EXPECT_EQ(port.err, "orbex-dump: COM Port Initialization Error Error Code:2\norbex-dump: " +
                                missing + ": No such file or directory\n");
    }
    const DumpRun help = Dump("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: orbex-dump", 0), 0u) << help.out;
}

// Ctrl-C and SIGTERM stop a read that never ends (a file of nothing but padding): the export
// is a whole document of what was read, and the run says it was cut short.
TEST_F(OrbexDumpTest, ASignalStopsAnEndlessFileAndTheExportStaysWellFormed) {
    for (const int signal : {SIGINT, SIGTERM}) {
        const auto out = dir_.Path() / "zero.gpx";
        const auto err = dir_.Path() / "zero.err";
        const std::optional<int> status =
            StatusAfterSignal({"--file", "/dev/zero", "--export", "gpx"}, out, err, signal,
                              milliseconds(300), milliseconds(10000));
        ASSERT_TRUE(status) << "orbex-dump did not stop on signal " << signal;
        ASSERT_TRUE(WIFEXITED(*status));
        EXPECT_EQ(WEXITSTATUS(*status), 1);
        const std::string gpx = Slurp(out);
        EXPECT_EQ(gpx.rfind("<?xml", 0), 0u) << gpx;
        EXPECT_NE(gpx.find("</gpx>"), std::string::npos) << gpx;
        EXPECT_NE(Slurp(err).find("stopped"), std::string::npos) << Slurp(err);
    }
}

TEST_F(OrbexDumpTest, ReadsAPortAndSendsCommands) {
    testing::PtyPair pty;
    ASSERT_TRUE(pty.Valid());
    std::atomic<bool> finished{false};
    DumpRun run;
    std::thread dump([&] {
        run = Dump("--port " + pty.SlavePath() + " --speed 115200 --send @CD --send @SW --count 3");
        finished = true;
    });
    // The program opens the port and sends its commands first.
    EXPECT_EQ(pty.Receive(10, milliseconds(5000)), "@CD\r\n@SW\r\n");
    for (int i = 0; i < 200 && !finished; ++i) {
        pty.Send("$GPRMC," + std::to_string(i) + "\r\nbad\x01\r\n");
        std::this_thread::sleep_for(milliseconds(20));
    }
    dump.join();
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    std::istringstream lines(run.out);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        EXPECT_EQ(line.rfind("$GPRMC,", 0), 0u) << line;  // the unprintable lines are dropped
        EXPECT_EQ(line.back(), '\r');
        ++count;
    }
    EXPECT_EQ(count, 3);
}

TEST_F(OrbexDumpTest, StopsCleanlyOnTimeAndOnTermination) {
    testing::PtyPair pty;
    ASSERT_TRUE(pty.Valid());
    const DumpRun timed = Dump("--port " + pty.SlavePath() + " --seconds 0.3");
    EXPECT_EQ(timed.exitCode, 0) << timed.err;

    const auto out = dir_.Path() / "term.out";
    const std::optional<int> status =
        StatusAfterSignal({"--port", pty.SlavePath(), "--seconds", "30"}, out, out, SIGTERM,
                          milliseconds(500), milliseconds(5000));
    ASSERT_TRUE(status) << "orbex-dump did not end on SIGTERM";
    EXPECT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    EXPECT_EQ(Slurp(out), "");
    // Released on the way out: the port opens again at once.
    EXPECT_EQ(Dump("--port " + pty.SlavePath() + " --seconds 0.1").exitCode, 0);
}

// The receiver hangs up and a new one appears on the same path, as an adapter pulled and
// plugged back: the dump goes on in the same output, told once.
TEST_F(OrbexDumpTest, APortThatHangsUpIsReopenedWhenItComesBack) {
    const std::string link = (dir_.Path() / "gps").string();
    const std::string sim = ORBEX_SIM_PATH;
    DumpRun run;
    {
        testing::SimProcess first(sim, {"--link", link, "--rate", "5", "--hangup-after", "1.5"});
        ASSERT_TRUE(first.Started());
        ASSERT_TRUE(testing::SimProcess::WaitForPath(link));
        std::thread dump([&] { run = Dump("--port " + link + " --seconds 5"); });
        EXPECT_EQ(first.Wait(milliseconds(5000)), 3);  // hung up
        std::this_thread::sleep_for(milliseconds(700));
        testing::SimProcess second(sim, {"--link", link, "--rate", "5"});
        dump.join();
    }
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "orbex-dump: Communication Error " + std::to_string(EIO) +
                           "\norbex-dump: " + link + " is gone (" + std::strerror(EIO) +
                           "); waiting for it to come back\norbex-dump: " + link +
                           " is open again\n");
    // Sentences from both receivers, each whole: nothing half-received is printed.
    std::istringstream lines(run.out);
    std::string line;
    int fixes = 0;
    while (std::getline(lines, line)) {
        EXPECT_EQ(line.rfind("$", 0), 0u) << line;
        EXPECT_EQ(line.back(), '\r') << line;
        fixes += line.rfind("$GPGGA", 0) == 0 ? 1 : 0;
    }
    EXPECT_GE(fixes, 10);  // about 7 epochs before the hang-up and 10 after the return
}

}  // namespace
}  // namespace orbex
