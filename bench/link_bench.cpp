// Serial framing speed against the fastest line a port allows. At 256000 baud with 10 bits
// per character a port delivers 25,600 bytes per second: 365.7 NMEA lines of 70 bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "link/line_framing.h"
#include "link/line_queue.h"
#include "link/replay_lines.h"
#include "platform/unique_fd.h"

namespace orbex {
namespace {

constexpr double kFastestPortBytesPerSecond = 256000.0 / 10.0;

// 70-byte sentences (68 characters and CR LF), as a receiver sends them.
std::string NmeaStream(std::size_t lines) {
    const std::string sentence =
        "$GPGGA,123519.00,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
    std::string line = sentence.substr(0, 68) + "\r\n";
    std::string stream;
    stream.reserve(lines * line.size());
    for (std::size_t i = 0; i < lines; ++i) {
        stream += line;
    }
    return stream;
}

void ReportAgainstPort(benchmark::State& state, std::size_t bytes, std::size_t lines) {
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.SetItemsProcessed(static_cast<std::int64_t>(lines));
    // How many times the fastest port's byte rate the framing keeps up with (the library
    // prints this rate with a "/s" suffix; read "13.7k/s" as 13,700 times).
    state.counters["x_port_256000"] = benchmark::Counter(
        static_cast<double>(bytes) / kFastestPortBytesPerSecond, benchmark::Counter::kIsRate);
}

// The reader's framing alone, with reads of `range(0)` bytes.
void BM_LineFramer(benchmark::State& state) {
    const std::string stream = NmeaStream(1000);
    const auto readSize = static_cast<std::size_t>(state.range(0));
    std::size_t lines = 0;
    std::size_t bytes = 0;
    const LineFramer::LineHandler handler = [&lines](const char* line, std::size_t length) {
        lines += IsPrintableLine(line, length) ? 1 : 0;
    };
    LineFramer framer;
    for (auto _ : state) {
        for (std::size_t at = 0; at < stream.size();) {
            const std::size_t count = std::min({readSize, framer.Space(), stream.size() - at});
            stream.copy(framer.WritePosition(), count, at);
            framer.Take(count, handler);
            at += count;
        }
        bytes += stream.size();
    }
    benchmark::DoNotOptimize(lines);
    ReportAgainstPort(state, bytes, lines);
}
BENCHMARK(BM_LineFramer)->Arg(16)->Arg(256)->Arg(2048);

// What the serial reader does per line: frame, test, queue; and the main window's take.
void BM_FramerIntoQueue(benchmark::State& state) {
    const std::string stream = NmeaStream(1000);
    LineQueue queue;
    int notices = 0;
    const OwnerPost post = [&notices](unsigned, std::uintptr_t, std::intptr_t) { ++notices; };
    const LineFramer::LineHandler handler = [&](const char* line, std::size_t length) {
        if (IsPrintableLine(line, length)) {
            queue.Push(std::string(line, length), post);
        }
    };
    LineFramer framer;
    std::size_t lines = 0;
    std::size_t bytes = 0;
    std::string taken;
    for (auto _ : state) {
        for (std::size_t at = 0; at < stream.size();) {
            const std::size_t count =
                std::min({std::size_t{256}, framer.Space(), stream.size() - at});
            stream.copy(framer.WritePosition(), count, at);
            framer.Take(count, handler);
            at += count;
        }
        while (queue.Pop(taken)) {
            ++lines;
        }
        bytes += stream.size();
    }
    benchmark::DoNotOptimize(notices);
    ReportAgainstPort(state, bytes, lines);
}
BENCHMARK(BM_FramerIntoQueue);

// The replay framing as orbex-dump --file uses it, reading a recording from a file.
void BM_ReplayLineReader(benchmark::State& state) {
    const std::string stream = NmeaStream(100000);
    char path[] = "/tmp/orbex_link_bench_XXXXXX";
    UniqueFd file(::mkstemp(path));
    if (!file.Valid() ||
        ::write(file.Get(), stream.data(), stream.size()) != static_cast<ssize_t>(stream.size())) {
        state.SkipWithError("cannot write the recording");
        return;
    }
    ::unlink(path);
    std::size_t lines = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        ::lseek(file.Get(), 0, SEEK_SET);
        ReplayLineReader reader(file.Get());
        std::string_view line;
        while (reader.Next(line) == ReplayLineReader::Result::Line) {
            ++lines;
        }
        bytes += stream.size();
    }
    ReportAgainstPort(state, bytes, lines);
}
BENCHMARK(BM_ReplayLineReader);

}  // namespace
}  // namespace orbex

BENCHMARK_MAIN();
