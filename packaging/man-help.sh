#!/bin/sh
# Runs a program for help2man, which reads GNU-style help. --help output of the
# form "Usage:" followed by indented command lines, and of entries "name  Text"
# with indented continuation lines, is given as "Usage: ... / or: ..." lines and
# indented entries, so that the manual page gets a synopsis and a tagged list.
# Everything else passes unchanged.
program=$1
shift
if [ "${1-}" != --help ]; then
    exec "$program" "$@"
fi
"$program" --help | awk '
    /^Usage:$/ { usage = 1; first = 1; next }
    usage && /^  +[^ ]/ { sub(/^ +/, ""); print (first ? "Usage: " : "  or:  ") $0; first = 0; next }
    { usage = 0 }
    /^[a-z][a-z-]*  +[^ ]/ { entry = 1; print "  " $0; next }
    entry && /^     +[^ ]/ { print "  " $0; next }
    { entry = 0; print }'
