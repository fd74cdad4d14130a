#!/bin/sh
# Remakes the guide's pictures in immagini/ from the program as it is now: builds it, opens each
# window as the guide shows it (tst_guide's helpKey, on Qt's offscreen platform, in a home of its
# own) and saves it, then lists the pictures in guida.qrc. Run after a window changes.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/../.."
cmake --preset default >/dev/null
cmake --build --preset default --target tst_guide
# A screen large enough for the register to show whole, as on a desktop's.
screen=$(mktemp)
trap 'rm -f "$screen"' EXIT
echo '{"screens": [{"name": "schermo", "width": 1600, "height": 1000}]}' >"$screen"
TOLVEMAR_PICTURES="$here/immagini" QT_QPA_PLATFORM="offscreen:configfile=$screen" \
    tests/own-home.sh build/tests/tst_guide helpKey
"$here/make-qrc.sh"
cmake --build --preset default
ls -l "$here/immagini"
