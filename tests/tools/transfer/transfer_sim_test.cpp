// Almanac and ephemeris round trips through vm8140-sim: dump, upload changed data, dump again.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/link/link_test_support.h"
#include "tests/support/test_files.h"
#include "tests/tools/transfer/sim_receiver.h"
#include "tools/transfer/acquisition_worker.h"
#include "tools/transfer/transmission_worker.h"

namespace orbex {
namespace {

using orbex::test::Slurp;

// Gives the stored lines new data that keeps the receiver's line shape (the checksum is fixed
// after the change).
std::string Changed(const std::string& stored) {
    std::istringstream in(stored);
    std::string out;
    std::string line;
    while (std::getline(in, line)) {
        line.resize(line.size() - 2);  // the CR CR before the LF
        const std::size_t star = line.rfind('*');
        std::string body = line.substr(0, star);
        body[body.size() - 1] = body.back() == '0' ? '1' : '0';
        unsigned checksum = 0;
        for (char c : body) {
            checksum ^= static_cast<unsigned char>(c);
        }
        char text[8];
        std::snprintf(text, sizeof text, "*%02X", checksum);
        out += body + text + "\r\r\n";
    }
    return out;
}

TEST(TransferSimTest, DumpUploadAndDumpAgainGivesTheUploadedData) {
    testing::SimReceiver receiver;
    ASSERT_TRUE(receiver.open());
    testing::TempDir dir;
    const std::string almanac = (dir.Path() / "AL.DAT").string();
    const std::string ephemeris = (dir.Path() / "EP.DAT").string();
    TransferSession session = receiver.Session();
    ASSERT_EQ(RunAcquisition(session, kTransferAlmanac, almanac).code, kTransferOk);
    ASSERT_EQ(RunAcquisition(session, kTransferEphemerisAcquire, ephemeris).code, kTransferOk);
    const std::string first = Slurp(almanac);
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 64);
    EXPECT_EQ(first.substr(0, 3), "ALM");
    EXPECT_EQ(first.find("\r\r\n"), first.find('\r'));

    const std::string newAlmanac = Changed(first);
    const std::string newEphemeris = Changed(Slurp(ephemeris));
    std::ofstream(almanac, std::ios::binary) << newAlmanac;
    std::ofstream(ephemeris, std::ios::binary) << newEphemeris;
    ASSERT_EQ(
        RunTransmission(session, kTransferAlmanacEphemerisTransmit, {almanac, ephemeris}).code,
        kTransferOk);

    ASSERT_EQ(RunAcquisition(session, kTransferAlmanac, almanac).code, kTransferOk);
    ASSERT_EQ(RunAcquisition(session, kTransferEphemerisAcquire, ephemeris).code, kTransferOk);
    EXPECT_EQ(Slurp(almanac), newAlmanac);
    EXPECT_EQ(Slurp(ephemeris), newEphemeris);
}

}  // namespace
}  // namespace orbex
