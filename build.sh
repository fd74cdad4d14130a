#!/usr/bin/env bash
# Sets up a Debian 12 machine for Tolvemar, builds it, and then starts the program or runs the
# tests:
#   ./build.sh run     install what is missing, build, start "Calcolo Tolvemar CT"
#   ./build.sh test    install what is missing, build, run every test
# Packages are installed only when missing, through sudo unless already root. With CI=true the
# build treats compiler warnings as errors.
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake ninja-build g++ clang-format
    qt6-base-dev qt6-translations-l10n fonts-liberation2
    libbenchmark-dev
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
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    local werror=OFF
    [ "${CI:-}" = true ] && werror=ON
    cmake --preset default -DTOLVEMAR_WERROR="$werror" >/dev/null
    cmake --build --preset default
}

case "${1:-}" in
run)
    install_missing
    build
    exec ./build/window/tolvemar
    ;;
test)
    install_missing
    build
    ctest --preset default
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
