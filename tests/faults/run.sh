#!/usr/bin/env bash
# Puts each deliberate fault of tests/faults/*.patch into a clean build of the tree in turn and
# runs the whole suite, which must fail on every one:
#   tests/faults/run.sh          prints one line per fault with the tests that caught it, and
#                                "N of M faults caught"; exits 1 unless all were caught
# The faults of tests/faults/windows/ are put into the Windows build, whose suite runs under
# Wine; only when a Qt for Windows is in the cache (./build.sh windows makes it), else the
# script says they were left out.
# The format check is left out: a fault must be caught by what the code does, not by its look.
# It takes a while (a build and a run of the suite per fault) and is not part of .ci/run.
set -uo pipefail
cd "$(dirname "$0")/../.."
# A home of its own, so that no other run of the suite on this machine shares its test data.
[ -n "${TOLVEMAR_OWN_HOME:-}" ] || exec tests/own-home.sh tests/faults/run.sh "$@"
started=$(date +%s)
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
git ls-files -z | xargs -0 cp --parents -t "$tree"
cd "$tree" || exit 2

cmake --preset default -DTOLVEMAR_BENCH=OFF >/dev/null || exit 2
cmake --build --preset default >/dev/null || exit 2
ctest --preset default -E '^format$' >/dev/null || { echo "The suite fails without any fault."; exit 2; }

caught=0 total=0
# try PATCH BUILD-COMMAND TEST-COMMAND: applies the fault, builds, and says which tests failed.
try() {
    local patch=$1 fault
    fault=$(basename "$patch" .patch)
    total=$((total + 1))
    if ! git apply "$patch" 2>/dev/null; then
        echo "$fault: the patch does not apply"
        return
    fi
    if ! eval "$2" >/dev/null 2>&1; then
        echo "$fault: does not build"
    else
        # Only CTest's list of failures: a test skipped on this system is listed too, under
        # "did not run", and would make every fault look caught.
        failed=$(eval "$3" 2>&1 | awk '/tests FAILED:/ { f = 1; next }
            f && $2 == "-" { print $3 }' | paste -sd ' ' -)
        if [ -n "$failed" ]; then
            caught=$((caught + 1))
            echo "$fault: caught by $failed"
        else
            echo "$fault: NOT caught"
        fi
    fi
    git apply -R "$patch"
}

for patch in tests/faults/*.patch; do
    try "$patch" "cmake --build --preset default" "ctest --preset default -E '^format\$'"
done
cmake --build --preset default >/dev/null

if ls "$TOLVEMAR_WINDOWS_CACHE"/qt6-base-*[0-9]/.complete >/dev/null 2>&1; then
    windows_tests="xvfb-run -a ctest --test-dir build-windows -j 2"
    # Wine prefixes of the run's own: what a fault leaves in one (a register where none belongs)
    # goes with the tree instead of staying in the cache for the next run.
    windows/configure.sh build-windows -DTOLVEMAR_WINE_CACHE="$tree/wine" >/dev/null &&
        cmake --build build-windows >/dev/null &&
        build-windows/wine-run.sh cmd /c exit 0 && $windows_tests >/dev/null ||
        { echo "The Windows suite fails without any fault."; exit 2; }
    for patch in tests/faults/windows/*.patch; do
        try "$patch" "cmake --build build-windows" "$windows_tests"
    done
else
    echo "The faults of the Windows build were left out: no Qt for Windows in $TOLVEMAR_WINDOWS_CACHE (./build.sh windows makes it)."
fi
echo "$caught of $total faults caught in $(( ($(date +%s) - started) / 60 )) min"
[ "$caught" -eq "$total" ]
