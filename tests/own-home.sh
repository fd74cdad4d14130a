#!/usr/bin/env bash
# Runs a command in a home of its own, made fresh and removed after, with the XDG folders unset
# so that Qt puts the tests' registers, settings and caches under it: two runs of the suite on
# one machine then never meet, and the user's own files are never touched.
#   tests/own-home.sh COMMAND ARGUMENTS...
set -euo pipefail
home=$(mktemp -d "${TMPDIR:-/tmp}/tolvemar-home.XXXXXX")
trap 'rm -rf "$home"' EXIT
# The cache of the Qt for Windows and its Wine prefix stays the user's: found before HOME moves.
export TOLVEMAR_WINDOWS_CACHE=${TOLVEMAR_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tolvemar/windows}
export HOME=$home TOLVEMAR_OWN_HOME=$home
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME XDG_STATE_HOME
# Qt wants a private runtime folder, else it falls back to one shared by every run.
export XDG_RUNTIME_DIR=$home/runtime
mkdir -m 0700 "$XDG_RUNTIME_DIR"
"$@"
