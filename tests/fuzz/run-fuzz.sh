#!/usr/bin/env bash
# Builds the libFuzzer targets of the XML readers with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer (in build-fuzz) and runs
# each for its share of the given time, 60 seconds in all by default.
# Exits non-zero when a target finds a crash, a hang or a leak; the input is
# left in build-fuzz/fuzz-artifacts/ and belongs in tests/files/regressions/,
# where files_tests replays it.
#
#   tests/fuzz/run-fuzz.sh [seconds]
set -euo pipefail

total="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${EEE_FUZZ_BUILD_DIR:-$root/build-fuzz}"
targets=(fuzz_read_session fuzz_read_catalogue fuzz_read_profiles)
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

cmake -S "$root" -B "$build" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DEEE_CORE_ONLY=ON -DEEE_BENCHMARKS=OFF -DEEE_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
  ${EEE_FUZZ_CMAKE_ARGS:-}
cmake --build "$build" --target "${targets[@]}" -j2

per=$(( total / ${#targets[@]} ))
(( per >= 1 )) || per=1
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"
status=0
for target in "${targets[@]}"; do
  # New inputs go to a working corpus outside the source tree; the seeds stay as delivered.
  work="$root/fuzz-corpus-work/$target"
  mkdir -p "$work"
  echo "== $target for ${per}s"
  if ! "$build/bin/$target" \
      -max_total_time="$per" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$artifacts/$target-" \
      "$work" "$root/tests/fuzz/corpus"; then
    echo "!! $target failed; the input is in $artifacts/ (copy it to tests/files/regressions/)" >&2
    status=1
  fi
done
exit "$status"
