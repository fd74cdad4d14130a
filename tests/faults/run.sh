#!/usr/bin/env bash
# Puts each deliberate fault of tests/faults/*.patch into a clean build of the tree in turn and
# runs the whole suite, which must fail on every one:
#   tests/faults/run.sh          prints one line per fault with the tests that caught it, and
#                                "N of M faults caught"; exits 1 unless all were caught
# The format check is left out: a fault must be caught by what the code does, not by its look.
# It takes a while (a build and a run of the suite per fault) and is not part of .ci/run.
set -uo pipefail
cd "$(dirname "$0")/../.."
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
git ls-files -z | xargs -0 cp --parents -t "$tree"
cd "$tree" || exit 2
# A home of its own, so that no other run of the suite on this machine shares its test data.
export HOME="$tree/home" XDG_DATA_HOME= XDG_CONFIG_HOME= XDG_CACHE_HOME=
mkdir -p "$HOME"

cmake --preset default -DTOLVEMAR_BENCH=OFF >/dev/null || exit 2
cmake --build --preset default >/dev/null || exit 2
ctest --preset default -E '^format$' >/dev/null || { echo "The suite fails without any fault."; exit 2; }

caught=0 total=0
for patch in tests/faults/*.patch; do
    fault=$(basename "$patch" .patch)
    total=$((total + 1))
    if ! git apply "$patch" 2>/dev/null; then
        echo "$fault: the patch does not apply"
        continue
    fi
    if ! cmake --build --preset default >/dev/null 2>&1; then
        echo "$fault: does not build"
    else
        failed=$(ctest --preset default -E '^format$' 2>&1 | sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' |
            paste -sd ' ' -)
        if [ -n "$failed" ]; then
            caught=$((caught + 1))
            echo "$fault: caught by $failed"
        else
            echo "$fault: NOT caught"
        fi
    fi
    git apply -R "$patch"
done
cmake --build --preset default >/dev/null
echo "$caught of $total faults caught"
[ "$caught" -eq "$total" ]
