#!/bin/sh
# Runs a program of the build machine for a Windows test under Wine, to which no pipe from a
# Linux program comes back: its output goes into OUTPUT, renamed into place once whole.
#   to_file.sh OUTPUT PROGRAM ARGUMENTS...
output=$1
shift
"$@" >"$output.part"
mv "$output.part" "$output"
