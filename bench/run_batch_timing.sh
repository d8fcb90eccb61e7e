#!/usr/bin/env bash
# Times the real svpflicht-batch on generated lines and reports lines per second and peak
# memory (maximum resident set size), on one thread, on two, and with --sequence, writing to
# /dev/null and to a file. The machine's load goes with the figures: other work on the cores
# shows as lost speed. With "beitraege" as third argument each run is followed by the same run
# with --beitraege (the contribution amounts), so that both see the same load.
#   bench/run_batch_timing.sh [BUILD_DIR [LINES [beitraege]]]      defaults: build 1000000
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
lines=${2:-1000000}
amounts=${3:-}
if [ -n "$amounts" ] && [ "$amounts" != beitraege ]; then
    echo "Das dritte Argument ist \"beitraege\" oder fehlt, nicht \"$amounts\"." >&2
    exit 2
fi
batch="$build/cli/svpflicht-batch"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$build/bench/svp_case_lines" "$lines" > "$tmp/lines.jsonl"
echo "$lines Zeilen, $(wc -c < "$tmp/lines.jsonl") Bytes Eingabe; Last vorher: $(cut -d' ' -f1-3 /proc/loadavg)"
for option in "--jobs 1" "--jobs 2" "--sequence"; do
    for target in /dev/null "$tmp/out.jsonl"; do
        for run in 1 2 3; do
          for extra in "" ${amounts:+--beitraege}; do
            status=0
            /usr/bin/time -f "%e %U %S %M" -o "$tmp/time" "$batch" $option $extra "$tmp/lines.jsonl" > "$target" || status=$?
            [ "$status" -le 1 ] || { echo "svpflicht-batch endete mit $status" >&2; exit 1; }
            read -r seconds user system kilobytes < "$tmp/time"
            awk -v s="$seconds" -v cpu="$(awk -v u="$user" -v y="$system" 'BEGIN { print u + y }')" \
                -v kb="$kilobytes" -v n="$lines" -v o="$option${extra:+ $extra}" -v t="$target" -v r="$run" \
                'BEGIN { printf "%-23s -> %-9s Lauf %d: %5.2f s (CPU %5.2f s)  %7.0f Zeilen/s  max. RSS %5.1f MiB\n",
                         o, (t == "/dev/null" ? t : "Datei"), r, s, cpu, (s > 0 ? n / s : 0), kb / 1024 }'
          done
        done
    done
done
echo "Last nachher: $(cut -d' ' -f1-3 /proc/loadavg)"
