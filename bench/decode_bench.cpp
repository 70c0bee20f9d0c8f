// Decoding speed: a LineDecoder's Decode per line kind (the line's decoding with the samples
// and flag it keeps, as every program decodes), and the JSON form that orbex-dump --decode
// prints. Each benchmark owns its decoder. Figures are lines per second ("items_per_second").
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "decode/decode_line.h"
#include "decode/line_decoder.h"
#include "tests/support/test_files.h"

// The JSON writer is part of orbex-dump rather than of a library; the benchmark compiles it in.
#include "cli/orbex_dump/decoded_json.cpp"

namespace orbex {
namespace {

using test::Sentence;

std::string NativeRecord() {
    std::string line = "SMV1042608153123456N3540123E13945678000450122702608153123455C4A";
    for (int k = 0; k < 16; ++k) {
        line += std::string{static_cast<char>('A' + k), 'J', 'c', 'C', static_cast<char>('B' + k)};
    }
    return line + "1CEFZ\r\n";
}

const std::string kFourChannel =
    "N 2608153123456N3540123E1394567800045012027005LE12L_23__31H__xyz3.201234008000005000200\r\n";

const std::string& LineOfKind(int kind) {
    static const std::string lines[] = {
        NativeRecord(),
        kFourChannel,
        Sentence("$GPGGA,123519,3540.1234,N,13945.6789,E,1,08,00.9,00545.4,M,046.9,M,000"),
        "$GPGLL,3540.1234,N,13945.6789,E,123519,A\r\n",
        Sentence("$GPGSA,A,3,04,05,09,12,24,,,,,,,,02.5,01.3,02.1"),
        Sentence("$GPGSV,3,2,10,13,38,213,45,16,27,068,43,19,72,076,50,23,09,182,37"),
        Sentence("$GPVTG,123.4,T,123.4,M,012.3,N,022.8,K"),
        Sentence("$PEXT,1,02,03,004,05,06,07,08,9A0"),
        Sentence("$PVLM,3"),
        Sentence("$PSSST,2,2,05,A,1,2,00123,N,12,B,3,4,00456,P,07,C,5,6,00789,P,09,D,7,8,00012,N"),
        Sentence("$PSGSA,A,04,05,09,12,24,,,,,,,,02.5,01.3,02.1,-01234,08122026,X"),
        Sentence("$GPZDA,123519,08,12,2026,00,00"),
        Sentence("$GPRMC,123519,A,3540.1234,N,13945.6789,E,000.5,054.7,081226,,"),
    };
    return lines[kind];
}

const char* const kKindNames[] = {"native", "4-channel", "$GPGGA", "$GPGLL", "$GPGSA",
                                  "$GPGSV", "$GPVTG",    "$PEXT",  "$PVLM",  "$PSSST",
                                  "$PSGSA", "$GPZDA",    "unknown"};
constexpr int kKinds = sizeof kKindNames / sizeof kKindNames[0];

void BM_DecodeLine(benchmark::State& state) {
    const std::string& line = LineOfKind(static_cast<int>(state.range(0)));
    state.SetLabel(kKindNames[state.range(0)]);
    LineDecoder decoder;
    for (auto _ : state) {
        ReceiverState record{};
        benchmark::DoNotOptimize(decoder.Decode(record, line));
        benchmark::DoNotOptimize(record);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
}
BENCHMARK(BM_DecodeLine)->DenseRange(0, kKinds - 1);

// A mix of every kind, as a receiver sending several formats would.
void BM_DecodeLineMixed(benchmark::State& state) {
    std::int64_t bytes = 0;
    LineDecoder decoder;
    for (auto _ : state) {
        for (int kind = 0; kind < kKinds; ++kind) {
            ReceiverState record{};
            benchmark::DoNotOptimize(decoder.Decode(record, LineOfKind(kind)));
            bytes += static_cast<std::int64_t>(LineOfKind(kind).size());
        }
    }
    state.SetItemsProcessed(state.iterations() * kKinds);
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_DecodeLineMixed);

void BM_AppendDecodedLineJson(benchmark::State& state) {
    const std::string& line = LineOfKind(static_cast<int>(state.range(0)));
    state.SetLabel(kKindNames[state.range(0)]);
    std::string out;
    out.reserve(1 << 16);
    LineDecoder decoder;
    for (auto _ : state) {
        out.clear();
        AppendDecodedLineJson(out, decoder, line);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AppendDecodedLineJson)->DenseRange(0, kKinds - 1);

}  // namespace
}  // namespace orbex

BENCHMARK_MAIN();
