#!/usr/bin/env bash
# Sets up a Debian 12 machine for Tolvemar, builds it, and then starts the program or runs the
# tests:
#   ./build.sh run     install what is missing, build, start "Calcolo Tolvemar CT"
#   ./build.sh test    install what is missing, build, run every test: the normal suite, the
#                      same suite under the address and undefined-behaviour sanitizers, and a
#                      one-minute fuzz run of the computing core and the CSV work log
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
    poppler-utils
)

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
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
    ctest --preset sanitize
    build fuzz
    fuzz
    ctest --preset default
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
