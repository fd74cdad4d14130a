#!/usr/bin/env bash
# Sets up a Debian 12 machine for Tolvemar, builds it, and then starts the program or runs the
# tests:
#   ./build.sh run     install what is missing, build, start "Calcolo Tolvemar CT"
#   ./build.sh test    install what is missing, build, run every test: the normal suite, the
#                      same suite under the address and undefined-behaviour sanitizers, and a
#                      one-minute fuzz run of the computing core and the CSV work log; the
#                      suites run in a home of their own, made for the run and removed after
#   ./build.sh windows       cross-build for Windows with MinGW, against Qt and libraries built
#                            from Debian's sources (cached), and leave the installer and the zip
#                            in dist/
#   ./build.sh windows-test  the same, then run the Windows suite under Wine
# Packages are installed only when missing, through sudo unless already root. With CI=true the
# build treats compiler warnings as errors.
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake ninja-build g++ clang-format
    qt6-base-dev libqt6sql6-sqlite qt6-translations-l10n fonts-liberation2 fonts-dejavu-core
    libical-dev python3-icalendar
    libxml2-dev
    libbenchmark-dev
    clang libclang-rt-14-dev
    desktop-file-utils appstream dpkg-dev file
    poppler-utils xvfb xauth
    binutils-mingw-w64-x86-64 mingw-w64-common nsis
)

# What the Windows build needs beside (NSIS and windres are in the list above, for the checks
# the Linux suite makes of the Windows sources): the cross compiler, the tools that build Qt and
# SQLite from Debian's sources, and Wine with a display of its own to run the result.
windows_packages=(
    g++-mingw-w64-x86-64-posix dpkg-dev tcl perl
    wine wine64 python3-pefile
)

as_root() {
    if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi
}

install_missing() {
    local missing=()
    for package in "${packages[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Debian's source packages of Qt and the libraries: a deb-src entry beside each deb one.
ensure_sources() {
    apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package:' && return
    local list=/etc/apt/sources.list.d/tolvemar-deb-src.sources
    echo "Adding Debian's source packages: $list"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            as_root tee "$list" >/dev/null
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
            as_root tee "${list%.sources}.list" >/dev/null
    fi
    as_root apt-get update -qq
}

# Cross-builds into build-windows/ and leaves the installer and the zip in dist/.
windows_build() {
    install_missing "${windows_packages[@]}"
    ensure_sources
    windows/configure.sh build-windows -DTOLVEMAR_WERROR="$werror"
    cmake --build build-windows
    mapfile -t prefixes <build-windows/windows-prefixes.txt
    windows/package.sh build-windows dist "${prefixes[@]}"
}

werror=OFF
[ "${CI:-}" = true ] && werror=ON

build() {
    cmake --preset "$1" -DTOLVEMAR_WERROR="$werror" >/dev/null
    cmake --build --preset "$1"
}

# Fails on any crash, sanitizer report or broken read-back that a harness finds.
#   fuzz_one HARNESS SEEDS SECONDS
fuzz_one() {
    local corpus log status=0
    corpus=$(mktemp -d)
    log=$(mktemp)
    ./build-fuzz/tests/fuzz/"$1" -max_total_time="$3" -print_final_stats=1 \
        "$corpus" "$2" >"$log" 2>&1 || status=$?
    if [ "$status" -eq 0 ]; then
        grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$log"
        echo "Fuzz run of $1: no findings."
    else
        tail -n 60 "$log"
        echo "Fuzz run of $1: FAILED (the crashing input is saved as crash-* in $(pwd))."
    fi
    rm -rf "$corpus" "$log"
    return "$status"
}

# The computing core and the work log in CSV, half of FUZZ_SECONDS each.
fuzz() {
    local third=$(( ${FUZZ_SECONDS:-60} / 3 ))
    [ "$third" -ge 1 ] || third=1
    fuzz_one fee_fuzz tests/fuzz/corpus "$third"
    fuzz_one worklog_fuzz tests/fuzz/corpus-worklog "$third"
    fuzz_one worklogcsv_fuzz tests/fuzz/corpus-csv "$third"
}

case "${1:-}" in
run)
    install_missing
    build default
    exec ./build/window/tolvemar
    ;;
test)
    install_missing
    build default
    build sanitize
    tests/own-home.sh ctest --preset sanitize
    build fuzz
    fuzz
    tests/own-home.sh ctest --preset default
    ;;
windows)
    windows_build
    ;;
windows-test)
    windows_build
    # The console programs are compared with Linux's.
    build default
    # Tests take turns with a display of their own; the widget suites use Qt's offscreen
    # platform, the Wine prefix is made once in the cache.
    build-windows/wine-run.sh cmd /c exit 0
    tests/own-home.sh xvfb-run -a -s "-screen 0 1280x800x24" \
        ctest --test-dir build-windows -j 2 --output-on-failure
    ;;
*)
    echo "usage: $0 run|test|windows|windows-test" >&2
    exit 2
    ;;
esac
