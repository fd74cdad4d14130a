#!/bin/sh
# Runs a test program of the Windows build on an Xvfb display of SIZE, in the Wine prefix PREFIX
# of its own: Wine's desktop takes its size from the display of the first program started in a
# prefix, and keeps it while any runs there, so the suite's other programs must not share it.
#   own_display.sh SIZE PREFIX WINE_RUN TEST.exe
size=$1
export TOLVEMAR_WINEPREFIX="$2" WINEPREFIX="$2"
shift 2
here=$(cd "$(dirname "$0")" && pwd)
# Wine's own programs end before the display does.
exec xvfb-run -a -s "-screen 0 ${size}x24 -dpi 96" \
    sh -c 'sh "$0" "$@"; status=$?; wineserver -w; exit $status' "$here/run_test.sh" "$@"
