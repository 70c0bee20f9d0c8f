// The almanac and ephemeris workers against a scripted receiver: what they send, in which
// order, what they store, and how they end.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "tests/link/link_test_support.h"
#include "tests/support/test_files.h"
#include "tests/tools/transfer/scripted_receiver.h"
#include "tools/transfer/acquisition_worker.h"
#include "tools/transfer/transmission_worker.h"

namespace orbex {
namespace {

using testing::RegularOutput;
using testing::ScriptedReceiver;

using orbex::test::Slurp;

std::string DataLine(const char* tag, int i) {
    return std::string(tag) + (i < 10 ? "0" : "") + std::to_string(i) + ",1,0123456789ABCDEF*00";
}

// Answers a dump with its echo, a stray output line and `lines` data lines.
std::vector<std::string> DumpReplies(const std::string& sent, int lines) {
    std::vector<std::string> out = {"$GPGSA,before the echo\r\n", sent};
    for (int i = 0; i < lines; ++i) {
        out.push_back(DataLine(sent == "@AMO\r\n" ? "ALM" : "EPH", i) + "\r\n");
    }
    return out;
}

TEST(AcquisitionWorkerTest, StoresTheLinesAfterTheEchoWithCrCrLf) {
    testing::TempDir dir;
    for (const std::uint8_t mode : {kTransferAlmanac, kTransferEphemerisAcquire}) {
        const int lines = mode == kTransferAlmanac ? 64 : 96;
        ScriptedReceiver receiver(
            [&](const std::string& sent) { return DumpReplies(sent, lines); });
        receiver.Output("junk before synchronisation\r\n");
        RegularOutput(receiver);
        TransferSession session = receiver.Session();
        const std::string path = (dir.Path() / "out.dat").string();
        const TransferResult result = RunAcquisition(session, mode, path);
        EXPECT_EQ(result.code, kTransferOk);
        EXPECT_EQ(receiver.Sent(),
                  std::vector<std::string>{mode == kTransferAlmanac ? "@AMO\r\n" : "@EMO\r\n"});
        std::string expected;
        for (int i = 0; i < lines; ++i) {
            expected += DataLine(mode == kTransferAlmanac ? "ALM" : "EPH", i) + "\r\r\n";
        }
        EXPECT_EQ(Slurp(path), expected);
    }
}

TEST(AcquisitionWorkerTest, NativeRecordsOfTheWrongLengthNeverSynchronise) {
    bool recognised = false;
    UpdateRecognised(std::string(150, 'S').replace(0, 2, "SM"), recognised);
    EXPECT_TRUE(recognised);
    UpdateRecognised("SM short\r\n", recognised);
    EXPECT_FALSE(recognised);
    UpdateRecognised("[AMO] other\r\n", recognised);  // leaves the flag as it is
    EXPECT_FALSE(recognised);
    UpdateRecognised("$PVLM,x\r\n", recognised);
    EXPECT_TRUE(recognised);

    ScriptedReceiver receiver([](const std::string&) { return std::vector<std::string>{}; });
    for (int i = 0; i < 20; ++i) {
        receiver.Output("SM" + std::string(140, '0') + "\r\n");
    }
    TransferSession session = receiver.Session();
    session.waitLimit = std::chrono::milliseconds(100);
    testing::TempDir dir;
    const TransferResult result =
        RunAcquisition(session, kTransferAlmanac, (dir.Path() / "AL.DAT").string());
    EXPECT_EQ(result.code, kTransferNoReply);
    EXPECT_EQ(result.waitingFor, "receiver output");
    EXPECT_TRUE(receiver.Sent().empty());
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "AL.DAT"));
}

TEST(AcquisitionWorkerTest, CancelKeepsThePartialFileAndAMissingDirectoryGivesResult3) {
    testing::TempDir dir;
    ScriptedReceiver receiver([](const std::string& sent) { return DumpReplies(sent, 10); });
    RegularOutput(receiver);
    TransferSession session = receiver.Session();
    session.waitLimit.reset();  // waits as the window does: until the user cancels
    std::thread user([&] {
        while (receiver.queue().Size() > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        receiver.queue().Cancel();
    });
    const std::string path = (dir.Path() / "AL.DAT").string();
    const TransferResult cancelled = RunAcquisition(session, kTransferAlmanac, path);
    user.join();
    EXPECT_EQ(cancelled.code, kTransferCancelled);
    EXPECT_EQ(cancelled.waitingFor, "data line 11 of 64");
    EXPECT_EQ(Slurp(path).size(), 10 * (DataLine("ALM", 0).size() + 3));

    ScriptedReceiver again([](const std::string& sent) { return DumpReplies(sent, 64); });
    RegularOutput(again);
    TransferSession second = again.Session();
    const TransferResult missing =
        RunAcquisition(second, kTransferAlmanac, (dir.Path() / "no/such/AL.DAT").string());
    EXPECT_EQ(missing.code, kTransferFileNotOpened);
    EXPECT_EQ(missing.systemError, ENOENT);
    EXPECT_TRUE(again.Sent().empty());  // nothing is asked of the receiver

    // A disk that fills up at the first line: result 38 with the system's reason.
    ScriptedReceiver full([](const std::string& sent) { return DumpReplies(sent, 64); });
    RegularOutput(full);
    TransferSession third = full.Session();
    const TransferResult failed = RunAcquisition(third, kTransferAlmanac, "/dev/full");
    EXPECT_EQ(failed.code, kTransferFileFailed);
    EXPECT_EQ(failed.systemError, ENOSPC);
}

// A receiver that takes uploads: echo and "Ready" for a command, one line per data line.
std::vector<std::string> UploadReplies(const std::string& sent) {
    if (sent == "@AMI\r\n" || sent == "@EMI\r\n") {
        const std::string name = sent.substr(1, 3);
        return {"$GPGSV,in between\r\n", sent, "[" + name + "] Ready\r\n"};
    }
    return {"[AMI] Line OK\r\n"};
}

TEST(TransmissionWorkerTest, ShortAlmanacFileSendsBareLineFeedsAndModeThreeSendsBoth) {
    testing::TempDir dir;
    std::string almanac;
    for (int i = 0; i < 60; ++i) {
        almanac += DataLine("ALM", i) + "\r\r\n";
    }
    std::string ephemeris;
    for (int i = 0; i < 96; ++i) {
        ephemeris += DataLine("EPH", i) + "\r\r\n";
    }
    const TransmissionFiles files{dir.Write("AL.DAT", almanac), dir.Write("EP.DAT", ephemeris)};
    ScriptedReceiver receiver(UploadReplies);
    TransferResult result;
    {
        testing::KeepOutputting output(receiver);  // "@EMI" waits for "$GP" output
        TransferSession session = receiver.Session();
        result = RunTransmission(session, kTransferAlmanacEphemerisTransmit, files);
    }
    EXPECT_EQ(result.code, kTransferOk);
    const std::vector<std::string> sent = receiver.Sent();
    ASSERT_EQ(sent.size(), 1u + 64 + 1 + 96);
    EXPECT_EQ(sent[0], "@AMI\r\n");
    EXPECT_EQ(sent[1], DataLine("ALM", 0) + "\r\n");  // stored CR CR LF goes out as CR LF
    EXPECT_EQ(sent[60], DataLine("ALM", 59) + "\r\n");
    for (int j = 60; j < 64; ++j) {
        EXPECT_EQ(sent[1 + static_cast<std::size_t>(j)], "\n");
    }
    EXPECT_EQ(sent[65], "@EMI\r\n");
    EXPECT_EQ(sent[66], DataLine("EPH", 0) + "\r\n");
    EXPECT_EQ(sent.back(), DataLine("EPH", 95) + "\r\n");
}

TEST(TransmissionWorkerTest, MissingEphemerisFileAndCancelBeforeReady) {
    testing::TempDir dir;
    ScriptedReceiver receiver(UploadReplies);
    testing::KeepOutputting output(receiver);
    TransferSession session = receiver.Session();
    const TransmissionFiles missing{(dir.Path() / "AL.DAT").string(),
                                    (dir.Path() / "EP.DAT").string()};
    const TransferResult result = RunTransmission(session, kTransferEphemerisTransmit, missing);
    EXPECT_EQ(result.code, kTransferFileNotOpened);
    EXPECT_EQ(result.systemError, ENOENT);

    // A receiver that never says "[AMI] Ready": the cancel ends the wait, nothing more is sent.
    ScriptedReceiver silent([](const std::string&) { return std::vector<std::string>{}; });
    TransferSession waiting = silent.Session();
    waiting.waitLimit.reset();
    std::thread user([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        RegularOutput(silent, 2);
        while (silent.Sent().empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        silent.queue().Cancel();
    });
    const TransferResult cancelled =
        RunTransmission(waiting, kTransferAlmanac, {dir.Write("AL.DAT", "x\r\r\n"), {}});
    user.join();
    EXPECT_EQ(cancelled.code, kTransferCancelled);
    EXPECT_EQ(cancelled.waitingFor, "\"[AMI] Ready\"");
    EXPECT_EQ(silent.Sent(), std::vector<std::string>{"@AMI\r\n"});
}

}  // namespace
}  // namespace orbex
