// Recorded streams: each file decodes to its golden JSON lines, and no line, truncated at any
// length or with random bytes, makes a decoder read past its end. The streams are the
// recordings of other receivers beside the repository (when present) and the stand-in
// receiver's recordings kept here (every line kind of the VM8140, with bad checksums, 0xDA
// terminators and unprintable bytes among them).
//
// ORBEX_UPDATE_GOLDENS=1 rewrites the golden files from the current decoder; commit them with
// the reason for the change.
#include <gtest/gtest.h>

#include <fcntl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/orbex_dump/decoded_json.h"
#include "decode/decode_line.h"
#include "decode/line_decoder.h"
#include "link/replay_lines.h"
#include "platform/unique_fd.h"
#include "tests/decode/test_lines.h"
#include "tests/support/test_files.h"

namespace orbex {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpusDir = fs::path(ORBEX_SHARED_CORPUS_DIR) / "nmea-real";
const fs::path kGoldenDir = ORBEX_GOLDEN_DIR;

struct Recording {
    fs::path path;     // empty: the recordings beside the repository are absent
    std::string name;  // the golden file's name without ".jsonl"
};

void PrintTo(const Recording& recording, std::ostream* out) {
    *out << recording.name;
}

// The lines of a recording as replay and orbex-dump --file cut them.
std::vector<std::string> ReplayLines(const fs::path& path) {
    std::vector<std::string> lines;
    UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    EXPECT_TRUE(file.Valid()) << path;
    ReplayLineReader reader(file.Get());
    std::string_view line;
    while (reader.Next(line) == ReplayLineReader::Result::Line) {
        lines.emplace_back(line);
    }
    return lines;
}

// Files with `extension` in `folder`, sorted by name.
std::vector<fs::path> FilesIn(const fs::path& folder, const char* extension) {
    std::vector<fs::path> paths;
    std::error_code error;
    if (fs::is_directory(folder, error)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
            if (entry.path().extension() == extension) {
                paths.push_back(entry.path());
            }
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::vector<Recording> Recordings() {
    std::vector<Recording> recordings;
    for (const fs::path& path : FilesIn(kCorpusDir, ".nmea")) {
        recordings.push_back({path, path.stem().string()});
    }
    if (recordings.empty()) {
        recordings.push_back({fs::path(), "nmea_real_absent"});
    }
    for (const fs::path& path : FilesIn(kGoldenDir, ".rec")) {
        recordings.push_back({path, path.stem().string()});
    }
    return recordings;
}

// What orbex-dump --file FILE --decode prints for a recording, with a decoder of its own.
std::string DecodedJsonOf(const fs::path& recording) {
    LineDecoder decoder;
    std::string out;
    for (const std::string& line : ReplayLines(recording)) {
        AppendDecodedLineJson(out, decoder, line);
    }
    return out;
}

class GoldenCorpus : public ::testing::TestWithParam<Recording> {};

TEST_P(GoldenCorpus, DecodesToItsGoldenLines) {
    const Recording& recording = GetParam();
    if (recording.path.empty()) {
        GTEST_SKIP() << "no recorded streams at " << kCorpusDir;
    }
    const std::string actual = DecodedJsonOf(recording.path);
    const fs::path golden = kGoldenDir / (recording.name + ".jsonl");
    const char* update = std::getenv("ORBEX_UPDATE_GOLDENS");
    if (update != nullptr && std::strcmp(update, "1") == 0) {
        std::ofstream(golden, std::ios::binary) << actual;
        GTEST_SKIP() << "rewrote " << golden;
    }
    ASSERT_TRUE(fs::exists(golden)) << golden << " is missing: run with ORBEX_UPDATE_GOLDENS=1";
    const std::string expected = test::Slurp(golden);
    if (actual == expected) {
        return;
    }
    // Report the first line that differs, not the whole file.
    std::istringstream actualLines(actual);
    std::istringstream expectedLines(expected);
    std::string a;
    std::string e;
    for (int number = 1;; ++number) {
        const bool moreActual = static_cast<bool>(std::getline(actualLines, a));
        const bool moreExpected = static_cast<bool>(std::getline(expectedLines, e));
        if (!moreActual && !moreExpected) {
            break;
        }
        ASSERT_EQ(a, e) << recording.name << " line " << number;
    }
    FAIL() << recording.name << ": output differs from " << golden;
}

INSTANTIATE_TEST_SUITE_P(Recorded, GoldenCorpus, ::testing::ValuesIn(Recordings()),
                         [](const ::testing::TestParamInfo<Recording>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// Every distinct line of the corpus, with the receiver's own line kinds added so that the
// fixed-column records and every tag are in it whether or not the corpus is there.
std::vector<std::string> SeedLines() {
    std::set<std::string> distinct = {
        test::NativeRecord(),
        test::FourChannelRecord(),
        test::Sentence("$GPGGA,123519,3540.1234,N,13945.6789,E,1,08,00.9,-00545.4,M,046.9,M,123"),
        test::Sentence("$GPGSA,A,3,04,05,,09,12,24,,,,,,32,02.5,01.3,02.1"),
        test::Sentence("$GPGSV,3,3,10,24,06,166,35,28,09,271,36"),
        test::Sentence("$GPVTG,123.4,T,120.1,M,012.3,N,022.8,K"),
        test::Sentence("$GPZDA,235959,31,12,2026,00,00"),
        test::Sentence("$PEXT,1,02,03,004,05,06,07,08,9A0"),
        test::Sentence("$PVLM,7"),
        test::Sentence("$PSSST,2,2,05,A,1,2,00123,N,12,B,3,4,00456,P,,,,,,,31,C,5,6,99999,N"),
        test::Sentence("$PSGSA,A,04,05,09,12,24,,,,,,,07,02.5,01.3,02.1,-01234,08122026,X"),
    };
    for (const Recording& recording : Recordings()) {
        if (!recording.path.empty()) {
            for (std::string& line : ReplayLines(recording.path)) {
                distinct.insert(std::move(line));
            }
        }
    }
    return {distinct.begin(), distinct.end()};
}

// Decodes `length` bytes of `line` from a heap block of exactly that size (and, for the
// C-string form, one more byte for the NUL), so that a read past the end is an
// address-sanitizer report.
void DecodeExactCopy(const std::string& line, std::size_t length) {
    auto bytes = std::make_unique<char[]>(length + 1);
    std::memcpy(bytes.get(), line.data(), length);
    bytes[length] = '\0';
    ReceiverState fromText{};
    DecodeLine(fromText, bytes.get());

    auto exact = std::make_unique<char[]>(length);
    std::memcpy(exact.get(), line.data(), length);
    ReceiverState fromBytes{};
    DecodeLine(fromBytes, std::string_view(exact.get(), length));
}

TEST(CorpusFuzz, EveryLineTruncatedAtEveryLengthOrWithRandomBytes) {
    const std::vector<std::string> seeds = SeedLines();
    std::mt19937 random(0x8140);
    std::size_t decoded = 0;
    for (const std::string& seed : seeds) {
        for (std::size_t length = 0; length <= seed.size(); ++length) {
            DecodeExactCopy(seed, length);
        }
        decoded += seed.size() + 1;
        for (int round = 0; round < 4; ++round) {
            std::string line = seed;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int k = 0; k < changes && !line.empty(); ++k) {
                line[random() % line.size()] = static_cast<char>(random() % 256);
            }
            if (round == 3 && line.size() > 8) {
                line[random() % line.size()] = '*';  // a "*" early ends the fields early
            }
            DecodeExactCopy(line, line.size());
            DecodeExactCopy(line, random() % (line.size() + 1));
            decoded += 2;
        }
    }
    EXPECT_GT(decoded, seeds.size());
}

}  // namespace
}  // namespace orbex
