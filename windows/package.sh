#!/usr/bin/env bash
# Gathers the Windows build into the folder that is installed, with every DLL it needs found
# by following the imports of each executable and plugin, then makes the zip and the NSIS
# installer of it.
#   windows/package.sh BUILD_DIR DIST_DIR PREFIX...
# PREFIX... are the folders of Qt and of the libraries built for Windows (windows/deps.sh).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
dist=$(mkdir -p "$2" && cd "$2" && pwd)
shift 2
prefixes=("$@")
qt=$(printf '%s\n' "${prefixes[@]}" | grep '/qt6-base-')
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=CalcoloTolvemarCT-$version
# 2.0.0.9 as the program shows it, 2.00.0009: the minor in two digits, the build in four.
IFS=. read -r major minor _ build_number <<<"$version"
version_text=$(printf '%d.%02d.%04d' "$major" "$minor" "$build_number")
stage=$build/stage/$name

# Where a DLL may come from: the libraries built for Windows and MinGW's own runtime. Anything
# else an import names is Windows's own.
search=()
for prefix in "${prefixes[@]}"; do search+=("$prefix/bin"); done
search+=("$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
    /usr/x86_64-w64-mingw32/lib)

imports() {
    x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'
}

find_dll() {
    local dir
    for dir in "${search[@]}"; do
        if [ -f "$dir/$1" ]; then
            echo "$dir/$1"
            return
        fi
    done
}

# Copies each DLL that FILE needs, and those they need, into the stage.
copy_dependencies() {
    local dll path
    for dll in $(imports "$1"); do
        if [ -f "$stage/$dll" ]; then continue; fi
        path=$(find_dll "$dll")
        [ -n "$path" ] || continue
        cp "$path" "$stage/$dll"
        copy_dependencies "$stage/$dll"
    done
}

rm -rf "$stage"
mkdir -p "$stage"
for program in tolvemar tolvemar-log tolvemar-onorario tolvemar-registro tolvemar-fattura; do
    exe=$(find "$build/window" "$build/console" -name "$program.exe" | head -n 1)
    [ -n "$exe" ] || continue
    cp "$exe" "$stage/"
done
[ -f "$stage/tolvemar.exe" ] || { echo "windows/package.sh: tolvemar.exe not built" >&2; exit 1; }
# The plugins the program loads: the Windows platform, its native style, the register's SQL
# driver and the icon reader.
for plugin in platforms/qwindows styles/qwindowsvistastyle sqldrivers/qsqlite imageformats/qico; do
    mkdir -p "$stage/$(dirname "$plugin")"
    cp "$qt/plugins/$plugin.dll" "$stage/$plugin.dll"
done
for file in "$stage"/*.exe "$stage"/*/*.dll; do copy_dependencies "$file"; done
mkdir -p "$stage/translations"
cp /usr/share/qt6/translations/qtbase_it.qm "$stage/translations/"
cp "$here/../LICENSE" "$stage/LICENSE.txt"
# The documents' fonts, which Windows lacks: the program loads them from here at start.
mkdir -p "$stage/fonts"
for face in Sans Serif; do
    for style in Regular Bold Italic BoldItalic; do
        cp "/usr/share/fonts/truetype/liberation2/Liberation$face-$style.ttf" "$stage/fonts/"
    done
done
"$here/licenses.sh" "$stage"

# Nothing from the build machine: every file is a Windows executable or DLL, or data.
if find "$stage" -type f -exec file {} + | grep -E 'ELF|Mach-O'; then
    echo "windows/package.sh: a file of the build machine is in the folder" >&2
    exit 1
fi

rm -f "$dist/$name-win64.zip" "$dist/$name-setup.exe"
(cd "$build/stage" && cmake -E tar cf "$dist/$name-win64.zip" --format=zip "$name")
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION_TEXT="$version_text" -DSTAGE="$stage" \
    -DICON="$here/../resources/icons/tolvemar.ico" \
    -DOUTFILE="$dist/$name-setup.exe" "$here/installer.nsi"
ls -l "$dist/$name-win64.zip" "$dist/$name-setup.exe"
