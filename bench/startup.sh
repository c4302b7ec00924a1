#!/usr/bin/env bash
# Start-up of the calculator's window, timed as a whole process from start to
# the first verdict written, beside a bare Qt window with as many controls.
#   bench/startup.sh BUILD_DIR [RUNS]
# Prints the mean wall time and the largest peak RSS of each, and their ratios.
# Targets: at most 1.5 times the floor's time, under 45 MiB peak.
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

# measure EXE -> "mean_ms max_rss_kb widgets" over $runs runs, after one warm-up run.
measure() {
  local exe=$1 total_ns=0 max_rss=0 widgets=0 start end out rss
  "$exe" >/dev/null
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    out=$("$exe")
    end=$(date +%s%N)
    total_ns=$((total_ns + end - start))
    rss=$(sed -n 's/.*peak_rss_kb=\([0-9]*\).*/\1/p' <<<"$out")
    widgets=$(sed -n 's/.*widgets=\([0-9]*\).*/\1/p' <<<"$out")
    if [ "${rss:-0}" -gt "$max_rss" ]; then max_rss=$rss; fi
  done
  echo "$((total_ns / runs / 1000)) $max_rss $widgets"
}

read -r w_us w_rss w_widgets < <(measure "$window")
read -r f_us f_rss f_widgets < <(measure "$floor")

awk -v w_us="$w_us" -v w_rss="$w_rss" -v w_n="$w_widgets" \
    -v f_us="$f_us" -v f_rss="$f_rss" -v f_n="$f_widgets" -v runs="$runs" 'BEGIN {
  printf "start-up to first verdict, offscreen, mean of %d runs\n", runs
  printf "  %-22s %9s %14s %8s\n", "", "time (ms)", "peak RSS (MiB)", "widgets"
  printf "  %-22s %9.1f %14.1f %8d\n", "window", w_us / 1000, w_rss / 1024, w_n
  printf "  %-22s %9.1f %14.1f %8d\n", "floor (bare Qt)", f_us / 1000, f_rss / 1024, f_n
  time_ratio = w_us / f_us
  printf "  time ratio %.2f (target <= 1.5): %s\n", time_ratio, time_ratio <= 1.5 ? "met" : "MISSED"
  printf "  peak RSS %.1f MiB (target < 45): %s\n", w_rss / 1024, w_rss / 1024 < 45 ? "met" : "MISSED"
}'
