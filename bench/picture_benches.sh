#!/usr/bin/env bash
# Runs the picture benchmarks under Wine, each on a virtual screen of its own size:
#   picture_change_bench   (1024 x 768) the stall at a change, the period between changes, the
#                          working set over many changes, a key during decodes
#   transition_pace_bench  (3840 x 2160) the effects' pace on a big screen against a small one
#   library_bench          (1024 x 768) a folder entry of 100,000 JPEGs against 10 files: the
#                          first picture cold and warm, the working set; the shuffle's exactness
#
#   bash bench/picture_benches.sh [changes for the memory figure (500)] [key tries (20)]
#                                 [library rounds (5)]
#
# Builds the 64-bit programs first. Prints each benchmark's figures; exits non-zero when a target
# is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
cmake --preset mingw64 >/dev/null
cmake --build build/mingw64 -j "${ORVELLE_JOBS:-2}" --target program_folder \
  picture_change_bench_win transition_pace_bench_win library_bench_win >/dev/null

. scripts/wine-env.sh
xvfb_pid=
cleanup() {
  orvelle_wine_teardown
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# A display of the given size, for the next Wine prefix.
display_of() {
  local n=140
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 "$1"x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:$n
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
}

status=0
for run in "1024x768 picture_change_bench_win ${1:-500} ${2:-20}" \
           "3840x2160 transition_pace_bench_win" \
           "1024x768 library_bench_win ${3:-5}"; do
  set -- $run
  size=$1
  program=$2
  shift 2
  display_of "$size"
  orvelle_wine_setup "$root/build/bench-$size"
  echo "== $program on $size"
  "$ORVELLE_WINE" "build/mingw64/$program.exe" "$@" </dev/null || status=$?
  orvelle_wine_teardown
  kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
done
exit "$status"
