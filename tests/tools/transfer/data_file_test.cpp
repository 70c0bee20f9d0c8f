// The stored format of the data files, where they lie, and the viewer's shortened path.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/link/link_test_support.h"
#include "tests/support/test_files.h"
#include "tools/transfer/data_file.h"
#include "tools/transfer/data_file_paths.h"
#include "tools/transfer/viewer_path.h"

namespace orbex {
namespace {

TEST(DataFileTest, ReceivedLinesGoBackAsReceivedAndPastTheEndAsLineFeeds) {
    testing::TempDir dir;
    const std::string path = (dir.Path() / "AL.DAT").string();
    {
        DataFileWriter writer(path);
        int error = 0;
        ASSERT_TRUE(writer.WriteLine("ALM01,1,AB*00\r\n", error));
        ASSERT_TRUE(writer.WriteLine("no terminator", error));
        ASSERT_TRUE(writer.WriteLine("\n", error));
        ASSERT_TRUE(writer.Close(error));
    }
    EXPECT_EQ(test::Slurp(path), "ALM01,1,AB*00\r\r\nno terminator\r\n");

    DataFileReader reader(path);
    std::vector<std::string> lines(4);
    int error = 0;
    for (std::string& line : lines) {
        ASSERT_TRUE(reader.ReadLine(line, error));
    }
    EXPECT_EQ(lines,
              (std::vector<std::string>{"ALM01,1,AB*00\r\n", "no terminator\n", "\n", "\n"}));

    // A stored line longer than 255 characters is read in two parts.
    DataFileReader longLine(dir.Write("long", std::string(300, 'x') + "\r\r\n"));
    std::string part;
    ASSERT_TRUE(longLine.ReadLine(part, error));
    EXPECT_EQ(part, std::string(255, 'x') + "\n");
    ASSERT_TRUE(longLine.ReadLine(part, error));
    EXPECT_EQ(part, std::string(45, 'x') + "\r\n");

    EXPECT_FALSE(DataFileReader((dir.Path() / "none").string()).IsOpen());
}

TEST(DataFileTest, FullDiskIsReportedAtTheLineAndKeepsWhatWasWritten) {
    DataFileWriter full("/dev/full");
    ASSERT_TRUE(full.IsOpen());
    int error = 0;
    EXPECT_FALSE(full.WriteLine("ALM01\r\n", error));
    EXPECT_EQ(error, ENOSPC);
}

// FILEPATH names the almanac; the ephemeris lies beside it, so that an ephemeris acquisition
// keeps the stored almanac and "both" sends each file as what it is.
TEST(DataFilePathsTest, FilePathSettingKeepsAlmanacAndEphemerisApart) {
    EXPECT_EQ(AcquisitionFilePath(kTransferAlmanac, std::nullopt, "/p/"), "/p/AL.DAT");
    EXPECT_EQ(AcquisitionFilePath(kTransferEphemerisAcquire, std::nullopt, "/p/"), "/p/EP.DAT");
    const TransmissionFiles plain = TransmissionFilePaths(std::nullopt, "/p/");
    EXPECT_EQ(plain.almanac, "/p/AL.DAT");
    EXPECT_EQ(plain.ephemeris, "/p/EP.DAT");
    for (const std::uint8_t mode : {kTransferAlmanac, kTransferEphemerisAcquire}) {
        const TransmissionFiles set = TransmissionFilePaths("/d/x.dat", "/p/");
        EXPECT_EQ(set.almanac, "/d/x.dat");
        EXPECT_EQ(set.ephemeris, "/d/EP.DAT");
        EXPECT_EQ(AcquisitionFilePath(mode, "/d/x.dat", "/p/"),
                  mode == kTransferAlmanac ? set.almanac : set.ephemeris);
    }
    const TransmissionFiles named = TransmissionFilePaths("/d/EP.DAT", "/p/");
    EXPECT_EQ(named.almanac, "/d/AL.DAT");
    EXPECT_EQ(named.ephemeris, "/d/EP.DAT");
    EXPECT_EQ(TransmissionFilePaths("x.dat", "/p/").ephemeris, "EP.DAT");
}

TEST(ViewerPathTest, LongPathsKeepTheStartTheLastFolderAndTheName) {
    // 40 characters or fewer: whole.
    EXPECT_EQ(ShortenPathForViewer("/home/user/orbex/data/AL.DAT"), "/home/user/orbex/data/AL.DAT");
    const std::string deep = "/home/engineer/projects/receivers/lab-bench-4/AL.DAT";
    EXPECT_EQ(ShortenPathForViewer(deep), "/ho.../lab-bench-4/AL.DAT");
    // Two separators stay whole below 45 characters, and are shortened from there.
    const std::string two44 = "/" + std::string(36, 'a') + "/AL.DAT";
    ASSERT_EQ(two44.size(), 44u);
    EXPECT_EQ(ShortenPathForViewer(two44), two44);
    const std::string two45 = "/" + std::string(37, 'a') + "/AL.DAT";
    EXPECT_EQ(ShortenPathForViewer(two45), "/aa.../" + std::string(37, 'a') + "/AL.DAT");
    // Fewer than two separators: whole, however long.
    const std::string flat = std::string(60, 'b') + "/AL.DAT";
    EXPECT_EQ(ShortenPathForViewer(flat), flat);
}

}  // namespace
}  // namespace orbex
