#!/usr/bin/env bash
# Whole-process timing of `eee-calc-cli simulate --json` on the delivered defaults
# switched to Daily over 20 years (six data types, 14.6 million writes: 2,000,000
# simulated and the rest projected). Runs simulate and evaluate of the same file in
# pairs, in turn, and prints the median of each and the median of the paired
# differences (the replay's own share of the process).
#   bench/simulate.sh [BUILD_DIR] [PAIRS]     (default: build, 21)
set -euo pipefail

build=${1:-build}
pairs=${2:-21}
cli="$build/bin/eee-calc-cli"
if [ ! -x "$cli" ]; then
    echo "simulate.sh: $cli not found; build the eee-calc-cli target first" >&2
    exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/eee-simulate-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
session="$work/defaults-daily.xml"
sed 's#<Frequency>0</Frequency>#<Frequency>1</Frequency>#' "$build/bin/Defaults.xml" > "$session"

# The file is what the benchmark says it is.
"$cli" simulate --json "$session" > "$work/check.json"
grep -q '"writes":2000000' "$work/check.json" && grep -q '"totalWrites":14600000' "$work/check.json" || {
    echo "simulate.sh: unexpected simulation:" >&2
    cat "$work/check.json" >&2
    exit 1
}

now_ns() { date +%s%N; }
took_ns() {
    local start end
    start=$(now_ns)
    "$@" > /dev/null
    end=$(now_ns)
    echo $((end - start))
}

: > "$work/times"
for ((p = 0; p < pairs; p++)); do
    s=$(took_ns "$cli" simulate --json "$session")
    e=$(took_ns "$cli" evaluate --json "$session")
    echo "$s $e" >> "$work/times"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
simulate=$(awk '{ print $1 }' "$work/times" | median)
evaluate=$(awk '{ print $2 }' "$work/times" | median)
difference=$(awk '{ print $1 - $2 }' "$work/times" | median)

awk -v s="$simulate" -v e="$evaluate" -v d="$difference" -v n="$pairs" 'BEGIN {
    printf "eee-calc-cli on the defaults as Daily (2,000,000 simulated writes), %d pairs, medians\n", n
    printf "  simulate --json:    %8.1f ms\n", s / 1e6
    printf "  evaluate --json:    %8.1f ms\n", e / 1e6
    printf "  paired difference:  %8.1f ms (the replay)\n", d / 1e6
}'
