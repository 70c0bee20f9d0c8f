// Recording files as receivers and logging programs write them: every kind of line end, a
// byte-order mark, NUL padding, and lines cut by the reader's blocks.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/common/recording_lines.h"
#include "platform/unique_fd.h"

namespace orbex {
namespace {

// The lines the reader hands out for a file holding `bytes`.
std::vector<std::string> LinesOf(const std::string& bytes) {
    char path[] = "/tmp/orbex-recording-XXXXXX";
    const int fd = ::mkstemp(path);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
    UniqueFd file(::open(path, O_RDONLY | O_CLOEXEC));
    ::unlink(path);
    RecordingLineReader reader(file.Get());
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(line) == RecordingLineReader::Result::Line) {
        lines.emplace_back(line);
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(RecordingLines, EveryLineEndABomAndNulPadding) {
    struct Case {
        const char* what;
        std::string bytes;
        Lines lines;
    };
    const Case cases[] = {
        {"LF", "$A\n$B\n", {"$A\n", "$B\n"}},
        {"CR LF", "$A\r\n$B\r\n", {"$A\r\n", "$B\r\n"}},
        {"CR CR LF of a text-mode data file", "$A\r\r\n$B\r\r\n", {"$A\r\r\n", "$B\r\r\n"}},
        {"CR only", "$A\r$B\r", {"$A\r\n", "$B\r\n"}},
        {"mixed, last line without end", "$A\r$B\n$C\r\n$D", {"$A\r\n", "$B\n", "$C\r\n", "$D"}},
        {"byte-order mark", "\xEF\xBB\xBF$A\r\n", {"$A\r\n"}},
        {"a mark later is part of the line", "$A\n\xEF\xBB\xBF$B\n", {"$A\n", "\xEF\xBB\xBF$B\n"}},
        {"NUL padding between lines and at the end",
         std::string("$A\r\n\0\0\0$B\r\n\0\0", 13),
         {"$A\r\n", "$B\r\n"}},
        {"NUL padding after a last line without end",
         std::string("$A\r\n$B\0\0", 8),
         {"$A\r\n", "$B"}},
        {"a NUL inside a line stays", std::string("$A\0B\n", 5), {std::string("$A\0B\n", 5)}},
        {"only padding", std::string("\xEF\xBB\xBF\0\0", 5), {}},
        {"empty", "", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LinesOf(c.bytes), c.lines) << c.what;
    }
}

TEST(RecordingLines, LinesAcrossBlocksAndOverlongLines) {
    // The reader takes 64 KiB at a time: a CR LF split between two blocks is one line end, and
    // CR-only lines go on across the blocks after it.
    std::string bytes;
    Lines expected;
    for (int i = 0; i < 2047; ++i) {
        expected.push_back(std::string(30, 'a') + "\r\n");
        bytes += expected.back();
    }
    expected.push_back(std::string(31, 'b') + "\r\n");  // its CR is the block's last byte
    bytes += expected.back();
    for (int i = 0; i < 5000; ++i) {
        const std::string body = "$GPGGA," + std::to_string(i);
        bytes += body + "\r";
        expected.push_back(body + "\r\n");
    }
    EXPECT_EQ(LinesOf(bytes), expected);
    // A line without any end is cut after 2048 bytes, as the replay framing does.
    const Lines cut = LinesOf(std::string(5000, 'x'));
    ASSERT_EQ(cut.size(), 3u);
    EXPECT_EQ(cut[0].size(), 2048u);
    EXPECT_EQ(cut[2].size(), 5000u - 4096u);
}

}  // namespace
}  // namespace orbex
