#!/usr/bin/env bash
# Screenshot of the calculator's window under Xvfb: app/screenshot.sh BUILD OUT.png
set -euo pipefail
build=${1:-build}
out=${2:-docs/screenshot.png}
exe="$build/bin/eee-calc-screenshot"
[ -x "$exe" ] || { echo "missing $exe (build first)" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1280x800x24" "$exe" "$out"
echo "wrote $out"
