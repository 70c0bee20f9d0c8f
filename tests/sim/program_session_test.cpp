// vm8140-sim as a program: its command line, reproducible recordings that replay through the
// receiver link to the same lines, and live sessions on its pseudo-terminal through
// serial link, with the client closing and reopening the port, faults and a hang-up.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <thread>

#include "child_process.h"
#include "decode/decode_line.h"
#include "link/line_queue.h"
#include "link/replay_link.h"
#include "link/serial_link.h"
#include "platform/message_box.h"
#include "platform/window_messages.h"
#include "sim_test_support.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace orbex::sim {
namespace {

using namespace std::chrono_literals;
using testing::ChildProcess;
using testing::SplitLines;

using orbex::testing::TempDir;

const std::string kSim = ORBEX_SIM_EXE;

std::string RunSim(std::vector<std::string> args, const std::string& input = {}) {
    args.insert(args.begin(), kSim);
    ChildProcess child(args, input);
    std::string out = child.ReadAll(20000);
    EXPECT_EQ(child.Wait(5000), 0);
    return out;
}

// Collects what a link posts and the message boxes it would show.
class LinkOwner {
  public:
    LinkOwner() {
        previous_ = SetMessageBoxFunction([this](const MessageRequest& request) {
            std::lock_guard<std::mutex> lock(mutex_);  // message boxes come from any thread
            boxes_.push_back(request.text);
            return MessageResult::Ok;
        });
        SharedLineQueue().Clear();
    }
    ~LinkOwner() {
        SetMessageBoxFunction(previous_);
        SharedLineQueue().Clear();
    }
    OwnerPost Post() {
        return [this](unsigned message, std::uintptr_t, std::intptr_t) {
            std::lock_guard<std::mutex> lock(mutex_);  // posted from the reader thread
            if (message == UWM_REPLAY_END) {
                replayEnded_ = true;
            }
        };
    }
    bool replayEnded() {
        std::lock_guard<std::mutex> lock(mutex_);  // written by the reader thread
        return replayEnded_;
    }
    std::vector<std::string> boxes() {
        std::lock_guard<std::mutex> lock(mutex_);  // written by the reader thread
        return boxes_;
    }

    // Takes queued lines until `done` says so or the time is up.
    std::vector<std::string> Take(std::function<bool(const std::vector<std::string>&)> done,
                                  std::chrono::milliseconds timeout) {
        std::vector<std::string> lines;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done(lines) && std::chrono::steady_clock::now() < deadline) {
            std::string line;
            if (SharedLineQueue().Pop(line)) {
                lines.push_back(std::move(line));
            } else {
                std::this_thread::sleep_for(5ms);
            }
        }
        return lines;
    }

  private:
    std::mutex mutex_;
    std::vector<std::string> boxes_;
    bool replayEnded_ = false;
    MessageBoxFunction previous_;
};

bool Decodes(const std::string& line) {
    ReceiverState state;
    return DecodeLine(state, line.c_str());
}

auto Count(std::size_t n) {
    return [n](const std::vector<std::string>& lines) { return lines.size() >= n; };
}

// ---- the command line ---------------------------------------------------------------------

TEST(ProgramCommandLine, RefusesBadOptionsAndUnwritableTruth) {
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{kSim, "--format", "binary"},
          {kSim, "--rate"},
          {kSim, "--rate", "0"},
          {kSim, "--lat", "91"},
          {kSim, "--frobnicate"},
          {kSim, "--stdout", "--truth", "/nonexistent/dir/truth.jsonl"}}) {
        ChildProcess child(bad);
        EXPECT_EQ(child.Wait(5000), 2) << bad[1];
    }
    ChildProcess help({kSim, "--help"});
    const std::string text = help.ReadAll(5000);
    EXPECT_EQ(help.Wait(5000), 0);
    for (const char* option : {"--stdout", "--link", "--format", "--hangup-after", "--truth"}) {
        EXPECT_NE(text.find(option), std::string::npos) << option;
    }
}

// A full disk under the stream or the truth file is told and fails the run; a reader that
// stops reading ends it quietly.
TEST(ProgramCommandLine, AFullDiskFailsTheRun) {
    const std::string sim = kSim;
    const std::string err =
        (std::filesystem::temp_directory_path() / ("sim-full-" + std::to_string(::getpid())))
            .string();
    for (const std::string& target : {std::string(" --stdout >/dev/full"),
                                      std::string(" --stdout --truth /dev/full >/dev/null")}) {
        const int status =
            std::system((sim + " --fast --duration 600" + target + " 2>" + err).c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << target;
        std::ifstream told(err);
        const std::string text((std::istreambuf_iterator<char>(told)), {});
        EXPECT_NE(text.find("No space left on device"), std::string::npos) << text;
    }
    // The simulator's own status, past the reader that closes the pipe.
    std::system(("(" + sim + " --fast --duration 600 --stdout; echo $? >" + err +
                 ") | head -c 10 >/dev/null")
                    .c_str());
    std::ifstream code(err);
    int exitCode = -1;
    code >> exitCode;
    EXPECT_EQ(exitCode, 0);
    std::filesystem::remove(err);
}

// ---- recordings ---------------------------------------------------------------------------

TEST(Recording, SameSeedSameBytesAndCommandsComeFromStandardInput) {
    const std::vector<std::string> args = {"--stdout", "--fast", "--duration", "20", "--seed", "5"};
    const std::string a = RunSim(args);
    EXPECT_EQ(a, RunSim(args));
    std::vector<std::string> other = args;
    other.back() = "6";
    EXPECT_NE(a, RunSim(other));
    EXPECT_EQ(a.substr(0, 14), "$GPGGA,120000,");  // the fixed start of a fast run

    const std::string scripted = RunSim(args, "@CD\r\n@AMO\r\n");
    const std::vector<std::string> lines = SplitLines(scripted);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "VELMAR VM8140 GPS V1.04\r\n"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "@AMO\r\n"), 1);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("ALM", 0) == 0; }),
              64);
}

TEST(Recording, ReplaysThroughTheLinkToTheSameLines) {
    TempDir dir;
    const std::string path = dir / "mixed.rec";
    const std::string bytes =
        RunSim({"--stdout", "--fast", "--duration", "15", "--format", "mixed", "--extra"});
    std::ofstream(path, std::ios::binary) << bytes;
    LinkOwner owner;
    ReplayLink link(path);
    ASSERT_TRUE(link.Open(owner.Post()));
    const std::vector<std::string> expected = SplitLines(bytes);
    const std::vector<std::string> replayed = owner.Take(Count(expected.size()), 20s);
    link.Close();
    EXPECT_EQ(replayed, expected);
    for (const std::string& line : replayed) {
        EXPECT_EQ(Decodes(line), line.rfind("$GPRMC", 0) != 0) << line;
    }
}

TEST(Recording, OrbexDumpDecodesTheReplayAsTheFile) {
    TempDir dir;
    const std::string path = dir / "native.rec";
    std::ofstream(path, std::ios::binary)
        << RunSim({"--stdout", "--fast", "--duration", "10", "--format", "mixed"});
    ChildProcess file({ORBEX_DUMP_EXE, "--file", path, "--decode"});
    ChildProcess replay({ORBEX_DUMP_EXE, "--replay", path, "--decode"});
    const std::string fromFile = file.ReadAll(20000);
    const std::string fromReplay = replay.ReadAll(20000);
    EXPECT_EQ(file.Wait(5000), 0);
    EXPECT_EQ(replay.Wait(5000), 0);
    EXPECT_EQ(fromReplay, fromFile);
    std::size_t ok = 0;
    for (std::size_t at = fromFile.find("\"ok\":true"); at != std::string::npos;
         at = fromFile.find("\"ok\":true", at + 1)) {
        ++ok;
    }
    EXPECT_EQ(ok, SplitLines(test::Slurp(path)).size());
}

// ---- live sessions on the pseudo-terminal -------------------------------------------------

class PtySession : public ::testing::Test {
  protected:
    void Start(std::vector<std::string> args) {
        args.insert(args.begin(), kSim);
        child_ = std::make_unique<ChildProcess>(args);
        const std::optional<std::string> path = child_->ReadLine(5000);
        ASSERT_TRUE(path.has_value()) << "no pseudo-terminal path on the first line";
        slave_ = *path;
        ASSERT_EQ(slave_.rfind("/dev/", 0), 0u) << slave_;
    }
    void OpenLink(const std::string& port) {
        ::setenv("ORBEX_SERIAL_PORTS", port.c_str(), 1);
        ASSERT_TRUE(link_.Open(owner_.Post(), PortSettings{}));
    }
    void TearDown() override {
        link_.Close();
        ::unsetenv("ORBEX_SERIAL_PORTS");
    }

    std::unique_ptr<ChildProcess> child_;
    std::string slave_;
    LinkOwner owner_;
    SerialLink link_;
};

TEST_F(PtySession, ServesDecodableLinesAnswersResetsAndSurvivesReopening) {
    TempDir dir;
    const std::string linkPath = dir / "vm8140";
    Start({"--rate", "4", "--link", linkPath});
    char target[256] = {};
    ASSERT_GT(::readlink(linkPath.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), slave_);

    OpenLink(linkPath);
    const std::vector<std::string> first = owner_.Take(Count(20), 10s);
    ASSERT_GE(first.size(), 20u);
    for (const std::string& line : first) {
        EXPECT_TRUE(Decodes(line)) << line;
    }

    ASSERT_TRUE(link_.WriteLine("@SR"));
    const std::vector<std::string> reply = owner_.Take(
        [](const std::vector<std::string>& lines) {
            return !lines.empty() && lines.back() == "VELMAR VM8140 GPS V1.04\r\n";
        },
        10s);
    ASSERT_GE(reply.size(), 2u);
    EXPECT_EQ(reply[reply.size() - 2], "@SR\r\n");

    link_.Close();  // the client goes away ...
    std::this_thread::sleep_for(600ms);
    SharedLineQueue().Clear();
    OpenLink(slave_);  // ... and comes back: the receiver is still there
    const std::vector<std::string> again = owner_.Take(Count(10), 10s);
    EXPECT_GE(again.size(), 10u);
    ASSERT_TRUE(link_.WriteLine("@AMO"));
    const std::vector<std::string> dump = owner_.Take(
        [](const std::vector<std::string>& lines) {
            return std::count_if(lines.begin(), lines.end(),
                                 [](const std::string& l) { return l.rfind("ALM", 0) == 0; }) == 64;
        },
        10s);
    EXPECT_NE(std::find(dump.begin(), dump.end(), "@AMO\r\n"), dump.end());
    link_.Close();

    child_->Signal(SIGTERM);
    EXPECT_EQ(child_->Wait(5000), 0);
    struct stat st {};
    EXPECT_NE(::lstat(linkPath.c_str(), &st), 0) << "the link is removed at exit";
    EXPECT_TRUE(owner_.boxes().empty());
}

TEST_F(PtySession, FaultsReachTheLinkAsItsFramingExpects) {
    Start({"--rate", "10", "--da-terminator", "--unprintable-every", "4", "--burst", "333",
           "--no-terminator-run", "2500"});
    OpenLink(slave_);
    const std::vector<std::string> lines = owner_.Take(
        [](const std::vector<std::string>& got) {
            return std::any_of(got.begin(), got.end(),
                               [](const std::string& l) { return l.size() == 2048; }) &&
                   got.size() > 80;
        },
        15s);
    ASSERT_GT(lines.size(), 80u);
    std::size_t decoded = 0;
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find('\x07'), std::string::npos) << "the link drops unprintable lines";
        if (line.size() != 2048) {
            EXPECT_EQ(line.back(), '\xDA') << line;
        }
        decoded += Decodes(line) ? 1 : 0;
    }
    EXPECT_GT(decoded, lines.size() / 2);
}

TEST_F(PtySession, HangupClosesThePortAndExitsWithStatusThree) {
    Start({"--hangup-after", "0.5"});
    EXPECT_EQ(child_->Wait(5000), 3);
    EXPECT_NE(::access(slave_.c_str(), F_OK), 0) << "the slave is gone with its master";
}

}  // namespace
}  // namespace orbex::sim
