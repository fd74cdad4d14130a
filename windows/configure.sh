#!/usr/bin/env bash
# Configures a Windows build of Tolvemar in BUILD_DIR with MinGW, against the Qt and libraries
# of windows/deps.sh (built first if the cache lacks them). Their folders are kept in
# BUILD_DIR/windows-prefixes.txt for windows/package.sh.
#   windows/configure.sh BUILD_DIR [CMAKE_OPTION...]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$1
shift
mapfile -t prefixes < <("$source_dir/windows/deps.sh")
qt=$(printf '%s\n' "${prefixes[@]}" | grep '/qt6-base-' || true)
[ ${#prefixes[@]} -eq 4 ] && [ -n "$qt" ] || {
    echo "windows/configure.sh: the Qt and libraries for Windows are missing" >&2
    exit 1
}
mkdir -p "$build"
printf '%s\n' "${prefixes[@]}" >"$build/windows-prefixes.txt"
cmake -G Ninja -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/windows/toolchain-mingw64.cmake" \
    -DTOLVEMAR_WINDOWS_PREFIXES="$(IFS=';'; echo "${prefixes[*]}")" \
    -DQt6_DIR="$qt/lib/cmake/Qt6" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DTOLVEMAR_BENCH=OFF "$@" >/dev/null
