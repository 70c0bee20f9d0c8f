#include "link/line_framing.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace orbex {
namespace {

struct Framed {
    std::vector<std::string> lines;   // everything the framer handed on
    std::vector<std::string> queued;  // the lines that pass the printable test
    std::size_t held = 0;
};

// Feeds each read to the framer as the serial reader does: never more than Space() at once.
Framed Frame(const std::vector<std::string>& reads) {
    Framed framed;
    LineFramer framer;
    const LineFramer::LineHandler handler = [&framed](const char* line, std::size_t length) {
        framed.lines.emplace_back(line, length);
        if (IsPrintableLine(line, length)) {
            framed.queued.emplace_back(line, length);
        }
    };
    for (const std::string& read : reads) {
        std::size_t done = 0;
        while (done < read.size()) {
            const std::size_t count = std::min(framer.Space(), read.size() - done);
            read.copy(framer.WritePosition(), count, done);
            framer.Take(count, handler);
            done += count;
        }
    }
    framed.held = framer.Held();
    return framed;
}

struct FramingCase {
    const char* name;
    std::vector<std::string> reads;
    std::vector<std::string> lines;
    std::vector<std::string> queued;
    std::size_t held;
};

const std::string kLong(2048, 'x');

// Lines with a TAB, a control byte (0x1F), DEL (0x7F) and a high byte (0xC0), one a read, then
// a printable one.
const std::vector<std::string> kUnprintableThenOk = {"a\tb\r\n", "a\037b\r\n", "a\177b\r\n",
                                                     "a\300b\r\n", "ok\r\n"};

std::vector<FramingCase> Cases() {
    using S = std::string;
    return {
        {"sentence in several reads",
         {"$GPGGA,1", "23519,4", "807.038,N\r", "\n"},
         {"$GPGGA,123519,4807.038,N\r\n"},
         {"$GPGGA,123519,4807.038,N\r\n"},
         0},
        {"two lines in one read, in order",
         {"A,1\r\nB,2\r\n"},
         {"A,1\r\n", "B,2\r\n"},
         {"A,1\r\n", "B,2\r\n"},
         0},
        {"unfinished line is held for the next read", {"A\r\nB,"}, {"A\r\n"}, {"A\r\n"}, 2},
        {"lone LF runs on into the next CR LF, and makes the line unprintable",
         {"ab\ncd\r\n"},
         {"ab\ncd\r\n"},
         {},
         0},
        {"lone CR does not end a line either", {"ab\rcd\r\n"}, {"ab\rcd\r\n"}, {}, 0},
        {"LF then CR is not a pair", {"ab\n\rcd\r\n"}, {"ab\n\rcd\r\n"}, {}, 0},
        {"0xDA ends a line",
         {"abc\xDA"
          "def\r\n"},
         {"abc\xDA", "def\r\n"},
         {"abc\xDA", "def\r\n"},
         0},
        {"0xDA line: its second-to-last byte is not tested",
         {"ab\x01\xDA"},
         {"ab\x01\xDA"},
         {"ab\x01\xDA"},
         0},
        {"a line of only 0xDA is not queued",
         {"\xDA\xDA"
          "ok\r\n"},
         {"\xDA", "\xDA", "ok\r\n"},
         {"ok\r\n"},
         0},
        {"an empty CR LF line is queued", {"\r\n"}, {"\r\n"}, {"\r\n"}, 0},
        {"TAB, control byte, DEL and high bytes drop the line",
         kUnprintableThenOk,
         kUnprintableThenOk,
         {"ok\r\n"},
         0},
        {"leading garbage stays with the first line",
         {S("\0\x01\xff", 3) + "$GPGLL,1\r\n$GPGLL,2\r\n"},
         {S("\0\x01\xff", 3) + "$GPGLL,1\r\n", "$GPGLL,2\r\n"},
         {"$GPGLL,2\r\n"},
         0},
        {"2048 bytes without a terminator are one line, then reception goes on",
         {kLong + "ok\r\n"},
         {kLong, "ok\r\n"},
         {kLong, "ok\r\n"},
         0},
        {"an overlong run in small reads is cut the same way",
         {kLong.substr(0, 1000), kLong.substr(1000, 1000), kLong.substr(2000) + "y", "\r\n"},
         {kLong, "y\r\n"},
         {kLong, "y\r\n"},
         0},
        {"a CR LF pair cut by the 2048-byte boundary is not stitched together",
         {kLong.substr(1) + "\r", "\nok\r\n"},
         {kLong.substr(1) + "\r", "\nok\r\n"},
         {kLong.substr(1) + "\r"},
         0},
        {"a line ending exactly at 2048 bytes is a normal line",
         {kLong.substr(2) + "\r\n", "next\r\n"},
         {kLong.substr(2) + "\r\n", "next\r\n"},
         {kLong.substr(2) + "\r\n", "next\r\n"},
         0},
    };
}

TEST(LineFramingTest, TableOfCases) {
    for (const FramingCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const Framed framed = Frame(c.reads);
        EXPECT_EQ(framed.lines, c.lines);
        EXPECT_EQ(framed.queued, c.queued);
        EXPECT_EQ(framed.held, c.held);
    }
}

TEST(LineFramingTest, TakeSaysWhenToReadAgainAtOnce) {
    LineFramer framer;
    int handled = 0;
    const LineFramer::LineHandler count = [&handled](const char*, std::size_t) { ++handled; };
    auto take = [&](const std::string& bytes) {
        bytes.copy(framer.WritePosition(), bytes.size());
        return framer.Take(bytes.size(), count);
    };
    EXPECT_TRUE(take("$GP"));        // no terminator yet: read on
    EXPECT_TRUE(take("GGA\r\nxy"));  // a line, and bytes of the next one remain
    EXPECT_EQ(handled, 1);
    EXPECT_FALSE(take("\r\n"));  // all consumed: the reader may wait
    EXPECT_EQ(handled, 2);
    EXPECT_EQ(framer.Space(), kReceiveBufferSize);
}

TEST(LineFramingTest, ChunkingNeverChangesTheLines) {
    std::mt19937 random(8140);
    std::string stream;
    const char* pieces[] = {"$GPGSV,3,1,12\r\n", "\xDA",  "ab\n", "\r",
                            "@CD\r\n",           "x\xDA", "\r\n", "\t"};
    for (int i = 0; i < 400; ++i) {
        stream += pieces[random() % std::size(pieces)];
    }
    ASSERT_LT(stream.size(), kReceiveBufferSize * 4);
    const Framed whole = Frame({stream});
    for (int trial = 0; trial < 50; ++trial) {
        std::vector<std::string> reads;
        for (std::size_t at = 0; at < stream.size();) {
            const std::size_t size = 1 + random() % 97;
            reads.push_back(stream.substr(at, size));
            at += size;
        }
        const Framed chunked = Frame(reads);
        ASSERT_EQ(chunked.lines, whole.lines) << "trial " << trial;
        ASSERT_EQ(chunked.held, whole.held);
    }
}

}  // namespace
}  // namespace orbex
