// How fast the stand-in receiver makes its output: one epoch per format (lines formatted,
// framed and, for the truth run, written as JSON), and an almanac upload answered line by line.
#include <benchmark/benchmark.h>

#include <sstream>

#include "sim/receiver_data.h"
#include "sim/receiver_simulator.h"

namespace orbex::sim {
namespace {

void Epochs(benchmark::State& state, OutputFormat format, bool extra, bool truth) {
    SimOptions options;
    options.format = format;
    options.extra = extra;
    std::ostringstream truthOut;
    const SimMillis start = FromCivil(2026, 6, 1, 12, 0, 0);
    ReceiverSimulator sim(options, start, truth ? &truthOut : nullptr);
    SimMillis t = start;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string out = sim.Epoch(t);
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
        t += sim.period();
        if (truth && truthOut.tellp() > (1 << 24)) {
            truthOut.str({});
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["lines"] =
        benchmark::Counter(static_cast<double>(sim.linesSent()), benchmark::Counter::kIsRate);
}

void BM_EpochNative(benchmark::State& s) {
    Epochs(s, OutputFormat::kNative, false, false);
}
void BM_EpochNmea(benchmark::State& s) {
    Epochs(s, OutputFormat::kNmea, false, false);
}
void BM_EpochNmeaExtra(benchmark::State& s) {
    Epochs(s, OutputFormat::kNmea, true, false);
}
void BM_EpochMixedWithTruth(benchmark::State& s) {
    Epochs(s, OutputFormat::kMixed, true, true);
}
BENCHMARK(BM_EpochNative);
BENCHMARK(BM_EpochNmea);
BENCHMARK(BM_EpochNmeaExtra);
BENCHMARK(BM_EpochMixedWithTruth);

void BM_AlmanacUpload(benchmark::State& state) {
    SimOptions options;
    const SimMillis t = FromCivil(2026, 6, 1, 12, 0, 0);
    ReceiverSimulator sim(options, t, nullptr);
    std::string upload = "@AMI\r\n";
    for (const std::string& line : GenerateAlmanac(3)) {
        upload += line + "\r\n";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(sim.Receive(upload, t).size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * upload.size()));
}
BENCHMARK(BM_AlmanacUpload);

}  // namespace
}  // namespace orbex::sim

BENCHMARK_MAIN();
