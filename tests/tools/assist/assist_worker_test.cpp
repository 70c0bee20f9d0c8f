// Assistance data through vm8140-sim for both networks: acquired, stamped, transmitted and
// accepted; an error reply leaves AS.DAT as it was; a short file sends bare line feeds.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/link/link_test_support.h"
#include "tests/support/test_files.h"
#include "tests/tools/transfer/sim_receiver.h"
#include "tools/assist/assist_header.h"
#include "tools/assist/assist_workers.h"

namespace orbex {
namespace {

using orbex::test::Slurp;

struct Messages {
    std::vector<std::string> list;
    void Attach(TransferSession& session) {
        session.message = [this](const std::string& text) { list.push_back(text); };
    }
};

TEST(AssistSimTest, AcquiredDataIsTransmittedAndAcceptedForBothNetworks) {
    testing::SimReceiver receiver;
    ASSERT_TRUE(receiver.open());
    testing::TempDir dir;
    for (const AssistNetwork network : {AssistNetwork::Gsm, AssistNetwork::Wcdma}) {
        SCOPED_TRACE(NetworkName(network));
        const std::string path = (dir.Path() / "AS.DAT").string();
        TransferSession session = receiver.Session();
        Messages messages;
        messages.Attach(session);
        ASSERT_EQ(RunAssistAcquisition(session, network, path).code, kTransferOk);
        const std::string stored = Slurp(path);
        const std::string header = stored.substr(0, stored.find("\r\r\n"));
        const int lines = AssistDataLineCount(network, header);
        EXPECT_EQ(std::count(stored.begin(), stored.end(), '\n'), 1 + lines);
        ASSERT_EQ(messages.list.size(), 2u);
        EXPECT_EQ(messages.list[0], network == AssistNetwork::Gsm ? "Send ASO..." : "Send SIO...");
        EXPECT_EQ(messages.list[1],
                  "Num of SV:" + std::to_string(lines / LayoutOf(network).linesPerSatellite));

        messages.list.clear();
        EXPECT_EQ(RunAssistTransmission(session, network, path).code, kTransferOk);
        ASSERT_EQ(messages.list.size(), 1u);
        EXPECT_EQ(messages.list[0].substr(0, 9),
                  network == AssistNetwork::Gsm ? "[ASI] OK " : "[SII] OK ");

        // Two lines short: bare line feeds make up the count, and the receiver says so.
        std::ofstream(path, std::ios::binary) << stored.substr(
            0, stored.size() - 2 * (stored.size() - stored.rfind('\n', stored.size() - 2) - 1));
        messages.list.clear();
        EXPECT_EQ(RunAssistTransmission(session, network, path).code, kTransferReceiverError);
        ASSERT_EQ(messages.list.size(), 1u);
        EXPECT_NE(messages.list[0].find("lines " + std::to_string(lines - 2) + " of " +
                                        std::to_string(lines)),
                  std::string::npos)
            << messages.list[0];
    }
}

TEST(AssistSimTest, ErrorReplyIsShownAndLeavesTheFileAlone) {
    testing::SimReceiver receiver({"--assist-error"});
    ASSERT_TRUE(receiver.open());
    testing::TempDir dir;
    const std::string path = dir.Write("AS.DAT", "kept\r\r\n");
    TransferSession session = receiver.Session();
    Messages messages;
    messages.Attach(session);
    EXPECT_EQ(RunAssistAcquisition(session, AssistNetwork::Gsm, path).code, kTransferReceiverError);
    EXPECT_EQ(messages.list,
              (std::vector<std::string>{"Send ASO...", "[ASO] Err No Assistance Data"}));
    EXPECT_EQ(Slurp(path), "kept\r\r\n");

    messages.list.clear();
    EXPECT_EQ(RunAssistTransmission(session, AssistNetwork::Gsm, path).code, kTransferBadFormat);
    EXPECT_EQ(messages.list, std::vector<std::string>{"Assistance data format error\n"});
    messages.list.clear();
    EXPECT_EQ(RunAssistTransmission(session, AssistNetwork::Gsm, path + ".none").code,
              kTransferFileNotFound);
    EXPECT_EQ(messages.list, std::vector<std::string>{"Assistance data not found\n"});
}

}  // namespace
}  // namespace orbex
