#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang into build-fuzz/ and runs each in turn for
# SECONDS (default 60), one process at a time. Seeds: fuzz/seeds/TARGET, plus the recorded
# receivers of ../shared/corpus when that folder is there. What a run learns is kept in
# build-fuzz/corpus/TARGET for the next run; a finding is written to build-fuzz/findings/ and
# fails the script.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (TARGET e.g. decode_line_fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build=${ORBEX_FUZZ_BUILD:-build-fuzz}

ORBEX_FUZZ_SETUP=1 scripts/setup.sh --packages-only
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORBEX_FUZZ=ON -DORBEX_WITH_QT=OFF -DORBEX_WITH_BENCHMARKS=OFF >/dev/null
targets=("$@")
if ((${#targets[@]} == 0)); then
    for source in fuzz/*_fuzz.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi
# Targets whose library is not in this tree yet are skipped by fuzz/CMakeLists.txt.
known=$(cmake --build "$build" --target help)
present=()
for t in "${targets[@]}"; do
    if grep -q "^$t:" <<<"$known"; then
        present+=("$t")
    else
        echo "fuzz: $t is not in this tree; skipped"
    fi
done
build_args=()
for t in "${present[@]}"; do
    build_args+=(--target "$t")
done
cmake --build "$build" -j "$(nproc)" "${build_args[@]}"

shared=../shared/corpus
mkdir -p "$build/findings"
status=0
for t in "${present[@]}"; do
    name=${t%_fuzz}
    corpus=$build/corpus/$name
    mkdir -p "$corpus"
    seeds=()
    [ -d "fuzz/seeds/$name" ] && seeds+=("fuzz/seeds/$name")
    # The recorded receivers of other makers are good seeds for whatever reads received bytes.
    if [ -d "$shared/nmea-real" ] && [[ $name == decode_line || $name == line_framing || $name == handheld* ]]; then
        seeds+=("$shared/nmea-real")
    fi
    echo "fuzz: $t for ${seconds} s"
    if ! "$build/fuzz/$t" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$name-" "$corpus" "${seeds[@]}" \
        >"$build/$name.log" 2>&1; then
        echo "fuzz: $t FOUND A FAULT (see $build/$name.log and $build/findings/)"
        tail -40 "$build/$name.log"
        status=1
    else
        grep -E "^stat::number_of_executed_units|^Done" "$build/$name.log" | tail -1
    fi
done
exit $status
