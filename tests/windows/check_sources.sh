#!/bin/sh
# What can be checked of the Windows build on Linux, without a Qt for Windows: each resource
# script compiles with MinGW's windres and says the version, the names and Italian, the
# program's with its icon; the NSIS script makes an installer of a stand-in folder.
#   check_sources.sh RESOURCES_BUILD_DIR SOURCE_DIR VERSION VERSION_TEXT
set -eu
resources=$1 source=$2 version=$3 text=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "$*"
    exit 1
}

for rc in "$resources"/*.rc; do
    name=$(basename "$rc" .rc)
    # Debian's gcc as the preprocessor, told it is for Windows, reads MinGW's winver.h.
    x86_64-w64-mingw32-windres --preprocessor=gcc --preprocessor-arg=-E --preprocessor-arg=-xc \
        --preprocessor-arg=-DRC_INVOKED --preprocessor-arg=-D_WIN32 --preprocessor-arg=-D_WIN64 \
        -I/usr/share/mingw-w64/include -i "$rc" -o "$work/$name.res"
    x86_64-w64-mingw32-windres -i "$work/$name.res" -O rc >"$work/$name.txt"
    internal=$name
    [ "$name" = tolvemar ] && internal=Tolvemar
    for line in "VALUE \"FileVersion\", \"$text\"" "VALUE \"ProductVersion\", \"$text\"" \
        "VALUE \"ProductName\", \"Tolvemar\"" "VALUE \"InternalName\", \"$internal\"" \
        "VALUE \"Translation\", 0x410, 1200" "LANGUAGE 16, 1"; do
        grep -qF "$line" "$work/$name.txt" || fail "$rc: no $line"
    done
    echo "$rc: version $text, $internal, Italian"
done
[ -f "$resources/tolvemar.rc" ] || fail "no tolvemar.rc"
grep -q 'RT_GROUP_ICON' "$work/tolvemar.txt" || fail "tolvemar.rc: no icon"

mkdir -p "$work/stage/platforms"
for file in tolvemar.exe tolvemar-log.exe platforms/qwindows.dll; do
    echo stand-in >"$work/stage/$file"
done
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION_TEXT="$text" -DSTAGE="$work/stage" \
    -DICON="$source/resources/icons/tolvemar.ico" -DOUTFILE="$work/setup.exe" \
    "$source/windows/installer.nsi"
[ -s "$work/setup.exe" ] || fail "makensis made no installer"
echo "installer.nsi: an installer of $(wc -c <"$work/setup.exe") bytes"
