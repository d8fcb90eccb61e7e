#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for a while (default 60 seconds), seeded from the corpus in fuzz/corpus:
#   fuzz_satzdatei    arbitrary bytes as record files, through the window's start-up, year and
#                     month switches, restoring and saving; the files lie in memory
#   fuzz_stapelzeile  arbitrary input lines through the batch, with and without --sequence
# An input that fails lands in build-fuzz/artefakte; the run goes on with the next target and
# ends with an error. Turn such an input into a test in tests/haltbarkeit.
#
#   ./scripts/fuzz.sh [SECONDS] [satzdatei|stapelzeile ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(satzdatei stapelzeile)

./scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSVP_FUZZ=ON \
    -DSVP_BUILD_UI=OFF -DSVP_BUILD_BENCH=OFF
cmake --build build-fuzz -j "$jobs" --target fuzz_satzdatei fuzz_stapelzeile

mkdir -p build-fuzz/artefakte
failed=()
for target in "${targets[@]}"; do
    work="build-fuzz/corpus-$target"
    mkdir -p "$work"
    options=(-max_total_time="$seconds" -timeout=30 -print_final_stats=1
             -artifact_prefix="build-fuzz/artefakte/$target-")
    # Record files a little longer than twelve records, to reach the bytes behind them.
    [ "$target" = satzdatei ] && options+=(-max_len=9000)
    echo "== fuzz_$target: $seconds s =="
    if ! "build-fuzz/fuzz/fuzz_$target" "${options[@]}" "$work" "fuzz/corpus/$target"; then
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fehler gefunden in: ${failed[*]} (Eingaben in build-fuzz/artefakte)" >&2
    exit 1
fi
echo "Keine Fehler gefunden."
