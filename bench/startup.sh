#!/usr/bin/env bash
# Start-up of the calculator's window, timed as a whole process from start to
# the first verdict written, beside a bare Qt window with as many controls.
#   bench/startup.sh BUILD_DIR [RUNS]
# Prints the median wall time of each over paired runs (A B A B ...), the median of
# the per-pair ratios and the largest peak RSS.
# Targets: at most 1.1 times the floor's time, under 45 MiB peak.
set -euo pipefail

build=${1:-build}
runs=${2:-10}
bin="$build/bin"
window="$bin/bench_startup_window"
floor="$bin/bench_startup_floor"
for exe in "$window" "$floor"; do
  if [ ! -x "$exe" ]; then
    echo "startup: $exe is missing; build with -DEEE_BENCHMARKS=ON" >&2
    exit 1
  fi
done
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
if [ "$type" != "Release" ]; then
  echo "startup: warning: $build is a '${type:-unknown}' build, not Release" >&2
fi
export QT_QPA_PLATFORM=offscreen

# One run of EXE -> "wall_us peak_rss_kb widgets".
run_once() {
  local exe=$1 start end out
  start=$(date +%s%N)
  out=$("$exe")
  end=$(date +%s%N)
  echo "$(((end - start) / 1000)) $(sed -n 's/.*peak_rss_kb=\([0-9]*\).*/\1/p' <<<"$out") $(sed -n 's/.*widgets=\([0-9]*\).*/\1/p' <<<"$out")"
}

# Paired runs, window then floor, after one warm-up run of each: whatever else the
# machine does at a moment weighs on both runs of a pair alike.
"$window" >/dev/null
"$floor" >/dev/null
pairs=$(mktemp)
trap 'rm -f "$pairs"' EXIT
for ((i = 0; i < runs; i++)); do
  echo "$(run_once "$window") $(run_once "$floor")" >>"$pairs"
done

sort -n -k1,1 "$pairs" | awk -v runs="$runs" '
  { w[NR] = $1; wr = $2 > wr ? $2 : wr; wn = $3; f[NR] = $4; fr = $5 > fr ? $5 : fr; fn = $6;
    ratio[NR] = $1 / $4 }
  function median(a, n,   b, i, j, t) {
    for (i = 1; i <= n; i++) b[i] = a[i]
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (b[j] < b[i]) { t = b[i]; b[i] = b[j]; b[j] = t }
    return n % 2 ? b[(n + 1) / 2] : (b[n / 2] + b[n / 2 + 1]) / 2
  }
  END {
    mw = median(w, NR); mf = median(f, NR); mr = median(ratio, NR)
    printf "start-up to first verdict, offscreen, median of %d paired runs (window, floor)\n", NR
    printf "  %-22s %9s %14s %8s\n", "", "time (ms)", "peak RSS (MiB)", "widgets"
    printf "  %-22s %9.1f %14.1f %8d\n", "window", mw / 1000, wr / 1024, wn
    printf "  %-22s %9.1f %14.1f %8d\n", "floor (bare Qt)", mf / 1000, fr / 1024, fn
    printf "  median of the paired ratios %.2f (target <= 1.1): %s\n", mr, mr <= 1.1 ? "met" : "MISSED"
    printf "  peak RSS %.1f MiB (target < 45): %s\n", wr / 1024, wr / 1024 < 45 ? "met" : "MISSED"
  }'
