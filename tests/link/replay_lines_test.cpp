#include "link/replay_lines.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "link/line_framing.h"
#include "platform/unique_fd.h"
#include "tests/link/link_test_support.h"

namespace orbex {
namespace {

// The replay rule read one byte at a time, as plainly as it can be put.
std::vector<std::string> ByteAtATime(const std::string& file) {
    std::vector<std::string> lines;
    std::string line;
    for (char byte : file) {
        line += byte;
        if (byte == '\n' || line.size() == kReceiveBufferSize) {
            lines.push_back(line);
            line.clear();
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> ReadAll(const std::string& path, std::size_t blockSize,
                                 ReplayLineReader::Result* last = nullptr) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY));
    EXPECT_TRUE(fd.Valid());
    ReplayLineReader reader(fd.Get(), blockSize);
    std::vector<std::string> lines;
    std::string_view line;
    ReplayLineReader::Result result;
    while ((result = reader.Next(line)) == ReplayLineReader::Result::Line) {
        lines.emplace_back(line);
    }
    if (last != nullptr) {
        *last = result;
    }
    return lines;
}

TEST(ReplayLinesTest, CutsAtLfKeepingCrLfAndTheUnfinishedLastLine) {
    testing::TempDir dir;
    ReplayLineReader::Result last;
    const auto lines =
        ReadAll(dir.Write("a.dat", "$GPGGA,1\r\nlone\nCR\r\rin\xDAside\nlast"), 4096, &last);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"$GPGGA,1\r\n", "lone\n", "CR\r\rin\xDAside\n", "last"}));
    EXPECT_EQ(last, ReplayLineReader::Result::EndOfFile);

    EXPECT_TRUE(ReadAll(dir.Write("empty.dat", ""), 4096, &last).empty());
    EXPECT_EQ(last, ReplayLineReader::Result::EndOfFile);
}

TEST(ReplayLinesTest, OverlongRunsAreCutAt2048Bytes) {
    testing::TempDir dir;
    const std::string run(5000, 'r');
    const auto lines = ReadAll(dir.Write("long.dat", run + "\n"), 4096);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], run.substr(0, 2048));
    EXPECT_EQ(lines[1], run.substr(2048, 2048));
    EXPECT_EQ(lines[2], run.substr(4096) + "\n");
}

TEST(ReplayLinesTest, BlockBoundariesNeverChangeTheLines) {
    std::mt19937 random(2003);
    std::string file;
    while (file.size() < 200000) {
        const std::size_t length = random() % 3000;
        for (std::size_t i = 0; i < length; ++i) {
            file += static_cast<char>(random() % 4 == 0 ? '\r' : 'a' + random() % 26);
        }
        file += random() % 8 == 0 ? "" : "\n";
        if (random() % 50 == 0) {
            file += std::string(1, '\0') + "\xDA\n";
        }
    }
    testing::TempDir dir;
    const std::string path = dir.Write("random.dat", file);
    const std::vector<std::string> expected = ByteAtATime(file);
    for (std::size_t block :
         {std::size_t{1}, std::size_t{2049}, std::size_t{4096}, std::size_t{65536}}) {
        EXPECT_EQ(ReadAll(path, block), expected) << "block " << block;
    }
}

TEST(ReplayLinesTest, AReadFailureIsReportedAfterTheBytesBeforeIt) {
    testing::TempDir dir;
    // A directory opens but cannot be read: EISDIR.
    UniqueFd fd(::open(dir.Path().c_str(), O_RDONLY | O_DIRECTORY));
    ASSERT_TRUE(fd.Valid());
    ReplayLineReader reader(fd.Get());
    std::string_view line;
    EXPECT_EQ(reader.Next(line), ReplayLineReader::Result::Failed);
    EXPECT_EQ(reader.Next(line), ReplayLineReader::Result::Failed);
}

}  // namespace
}  // namespace orbex
