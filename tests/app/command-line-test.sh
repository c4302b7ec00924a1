#!/bin/bash
# varn-eee-calc's help, version and usage errors, answered in a terminal
# without a display (no DISPLAY, no Qt platform chosen).
#   command-line-test.sh PROGRAM VERSION
set -u
program=${1:?program}
version=${2:?version}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

run() { # EXPECTED_STATUS ARGS...
    local expected=$1
    shift
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" 2>"$err")
    status=$?
    [ "$status" -eq "$expected" ] || { cat "$err" >&2; fail "$* exited with $status, expected $expected"; }
}

err=$(mktemp) || exit 1
trap 'rm -f "$err"' EXIT

run 0 --help
printf '%s\n' "$out" | grep -q '^Usage: varn-eee-calc \[options\] \[FILE\]$' || fail "help: $out"
run 0 --version
[ "$out" = "varn-eee-calc $version" ] || fail "version: $out"
run 2 first.xml second.xml
[ -z "$out" ] || fail "a usage error printed to the output: $out"
grep -q "^varn-eee-calc: only one session file can be opened$" "$err" || fail "usage error: $(cat "$err")"
echo PASS
