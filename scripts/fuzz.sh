#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while (default 60 seconds), seeded
# from the corpus in fuzz/corpus. A crash leaves its input in build-fuzz/artefakte and ends
# the run with an error; turn such an input into a regression test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

./scripts/setup.sh

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSVP_FUZZ=ON \
    -DSVP_BUILD_UI=OFF -DSVP_BUILD_BENCH=OFF
cmake --build build-fuzz -j "$(nproc)" --target fuzz_satzdatei fuzz_stapelzeile

mkdir -p build-fuzz/artefakte
for target in satzdatei stapelzeile; do
    work="build-fuzz/corpus-$target"
    mkdir -p "$work"
    echo "== fuzz_$target: $seconds s =="
    "build-fuzz/fuzz/fuzz_$target" "$work" "fuzz/corpus/$target" -max_total_time="$seconds" \
        -artifact_prefix="build-fuzz/artefakte/$target-" -print_final_stats=1
done
