#!/usr/bin/env bash
# Pictures on both monitors against the main one alone, on the two-monitor display of
# scripts/two-heads.sh: the period between changes on each monitor and the working set.
#
#   bash bench/monitors_bench.sh [changes (12)]
#
# Builds the 64-bit programs first. Prints the figures; exits non-zero when a target is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
cmake --preset mingw64 >/dev/null
cmake --build build/mingw64 -j "${ORVELLE_JOBS:-2}" --target program_folder \
  monitors_bench_win >/dev/null

. scripts/two-heads.sh
trap two_heads_teardown EXIT
two_heads_setup "$root/build/bench-two-monitors"
"$ORVELLE_WINE" build/mingw64/monitors_bench_win.exe "$@" </dev/null
