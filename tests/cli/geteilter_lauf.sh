#!/usr/bin/env bash
# The split run of the README: GNU parallel cuts the input into parts of 100000 lines, each
# part is determined by its own svpflicht-batch numbering its lines on with --erste-zeile, and
# the parts come back in order. The result must be byte for byte that of one process, refused
# lines (with their numbers) and blank lines at the cuts included.
#   geteilter_lauf.sh SVPFLICHT_BATCH
set -euo pipefail
batch=$1
if ! command -v parallel >/dev/null 2>&1; then
    echo "GNU parallel fehlt (Debian-Paket parallel, siehe scripts/setup.sh): übersprungen."
    exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# 250 000 generated cases, every third with a case key; refused and blank lines here and
# there and right at the cuts (lines 100000, 100001, 200001).
awk 'BEGIN {
    srand(2008);
    for (i = 1; i <= 250000; i++) {
        if (i % 1013 == 0 || i == 200000) { print ""; continue; }
        line = sprintf("{\"AktJahr\":%d,\"Monat\":%d,\"Land\":%d", 2006 + int(rand() * 5),
                       int(rand() * 12), int(rand() * 16));
        if (i % 3 == 0) line = line sprintf(",\"Kennung\":\"P-%d\"", i);
        if (rand() < 0.5) line = line sprintf(",\"HBStatus\":%d", int(rand() * 13));
        if (rand() < 0.5) line = line sprintf(",\"HBEntgelt\":%.2f", rand() * 1200);
        if (rand() < 0.5) line = line sprintf(",\"Monatslohn\":[%.3f,%d]", rand() * 900, int(rand() * 500));
        if (rand() < 0.5) line = line sprintf(",\"KBCheck\":[true,%s,false]", rand() < 0.5 ? "true" : "false");
        if (i % 997 == 0 || i == 100000 || i == 100001 || i == 200001) line = line ",\"Land\":16";
        print line "}";
    }
}' > "$tmp/eingabe.jsonl"

status=0
"$batch" --jobs 1 "$tmp/eingabe.jsonl" > "$tmp/ein_prozess" || status=$?
[ "$status" -eq 1 ] || { echo "svpflicht-batch endete mit $status statt 1" >&2; exit 1; }

# The recipe of the README; --block holds 100000 lines, or parallel grows it with a warning.
# Its status is the number of parts with a refused line.
status=0
parallel --will-cite --pipe -N 100000 --block 40M --keep-order \
    "'$batch' --erste-zeile \$(( ({#}-1)*100000+1 ))" < "$tmp/eingabe.jsonl" > "$tmp/geteilt" 2> "$tmp/fehler" ||
    status=$?
[ "$status" -le 100 ] || { echo "parallel endete mit $status" >&2; cat "$tmp/fehler" >&2; exit 1; }
[ ! -s "$tmp/fehler" ] || { echo "Meldungen des geteilten Laufs:" >&2; cat "$tmp/fehler" >&2; exit 1; }

if ! cmp "$tmp/ein_prozess" "$tmp/geteilt"; then
    echo "Der geteilte Lauf weicht vom Lauf in einem Prozess ab." >&2
    exit 1
fi
# The numbers at the second cut come from the third part's --erste-zeile.
grep -q '"Kennung":"P-200001","Zeile":200001,' "$tmp/geteilt" || { echo "Zeile 200001 fehlt" >&2; exit 1; }
echo "Geteilter Lauf: $(wc -l < "$tmp/geteilt") Antworten, $(grep -c '"Fehler"' "$tmp/geteilt") davon Fehlerzeilen, gleich dem Lauf in einem Prozess."
