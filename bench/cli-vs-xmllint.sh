#!/usr/bin/env bash
# eee-calc-cli evaluate over 1000 generated session files, in JSON and in text mode,
# against `xmllint --noout --schema SessionData.xsd` over the same files: libxml2's own
# parse and validation, the floor of any reader of these files.
#   bench/cli-vs-xmllint.sh [BUILD_DIR] [PAIRS]
# Runs xmllint, JSON and text in turn PAIRS times (default 21) and prints the median of
# each and the median of the per-round ratios. Targets: JSON at most 3x, text at most 2.5x.
set -euo pipefail

build=${1:-build}
pairs=${2:-21}
cli="$build/bin/eee-calc-cli"
xsd="$build/bin/SessionData.xsd"
for need in "$cli" "$xsd"; do
    [ -e "$need" ] || { echo "cli-vs-xmllint: $need not found; build first" >&2; exit 2; }
done
command -v xmllint >/dev/null || { echo "cli-vs-xmllint: xmllint not installed (libxml2-utils)" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/eee-xmllint-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/sessions.sh"
write_sessions "$work" 1000
files=("$work"/s*.xml)

# Wall time of one command in microseconds.
took_us() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

"$cli" evaluate --json "${files[@]}" >/dev/null 2>&1 || true
xmllint --noout --schema "$xsd" "${files[@]}" >/dev/null 2>&1 || true
rounds=$(mktemp)
for ((r = 0; r < pairs; r++)); do
    x=$(took_us xmllint --noout --schema "$xsd" "${files[@]}")
    j=$(took_us "$cli" evaluate --json "${files[@]}")
    t=$(took_us "$cli" evaluate "${files[@]}")
    echo "$x $j $t" >>"$rounds"
done

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
mx=$(cut -d' ' -f1 "$rounds" | median)
mj=$(cut -d' ' -f2 "$rounds" | median)
mt=$(cut -d' ' -f3 "$rounds" | median)
rj=$(awk '{printf "%.4f\n", $2 / $1}' "$rounds" | median)
rt=$(awk '{printf "%.4f\n", $3 / $1}' "$rounds" | median)
rm -f "$rounds"
awk -v mx="$mx" -v mj="$mj" -v mt="$mt" -v rj="$rj" -v rt="$rt" -v n="$pairs" 'BEGIN {
    printf "1000 session files, %d rounds, medians of wall time\n", n
    printf "  xmllint --noout --schema:  %8.1f ms\n", mx / 1000
    printf "  eee-calc-cli --json:       %8.1f ms  (%.2fx xmllint, median of ratios)\n", mj / 1000, rj
    printf "  eee-calc-cli (text):       %8.1f ms  (%.2fx xmllint, median of ratios)\n", mt / 1000, rt
}'
