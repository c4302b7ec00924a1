#!/usr/bin/env bash
# Whole-process timing of `eee-calc-cli evaluate --json`: one session file, then
# 1000 generated session files in one call. Prints the per-file cost.
#   bench/cli.sh [BUILD_DIR]     (default: build)
set -euo pipefail

build=${1:-build}
cli="$build/bin/eee-calc-cli"
if [ ! -x "$cli" ]; then
    echo "cli.sh: $cli not found; build the eee-calc-cli target first" >&2
    exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/eee-cli-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/sessions.sh"
write_sessions "$work" 1000

now_ns() { date +%s%N; }

# Best of several runs of one command, in nanoseconds; its output is checked for
# the expected number of evaluated files.
best_ns() {
    local runs=$1 expect=$2
    shift 2
    local best=0
    for ((r = 0; r < runs; r++)); do
        local start end ok
        start=$(now_ns)
        "$@" > "$work/out.json" || true
        end=$(now_ns)
        ok=$(grep -c '"ok":true' "$work/out.json" || true)
        if [ "$ok" -ne "$expect" ]; then
            echo "cli.sh: expected $expect evaluated files, got $ok" >&2
            grep -m 3 '"ok":false' "$work/out.json" >&2 || true
            exit 1
        fi
        local took=$((end - start))
        if [ "$best" -eq 0 ] || [ "$took" -lt "$best" ]; then best=$took; fi
    done
    echo "$best"
}

one=$(best_ns 10 1 "$cli" evaluate --json "$work/s0003.xml")
many=$(best_ns 3 1000 "$cli" evaluate --json "$work"/s*.xml)

awk -v one="$one" -v many="$many" 'BEGIN {
    printf "eee-calc-cli evaluate --json, whole process (best of runs)\n"
    printf "  1 file:      %8.2f ms\n", one / 1e6
    printf "  1000 files:  %8.2f ms\n", many / 1e6
    printf "  per file in the 1000-file run: %.3f ms (%.3f ms beyond start-up)\n", many / 1e9 * 1e3 / 1000, (many - one) / 1e6 / 999
}'
