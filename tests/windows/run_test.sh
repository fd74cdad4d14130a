#!/bin/sh
# Runs a QtTest program of the Windows build under Wine and prints its log. Under Wine a test's
# standard output does not reach a pipe, so the log goes to a file first.
#   run_test.sh WINE_RUN TEST.exe
log=$(basename "$2" .exe).log.txt
rm -f "$log"
"$1" "$2" -o "$log,txt"
status=$?
[ -f "$log" ] && cat "$log"
exit "$status"
