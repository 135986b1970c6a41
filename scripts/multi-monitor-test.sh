#!/usr/bin/env bash
# The full-screen run on two monitors: a nested X server (Xephyr) with two Xinerama screens,
# 1024 x 768 at 0,0 and a portrait 600 x 800 at 1024,0, inside an Xvfb of its own, and a Wine prefix that
# takes its monitors from Xinerama rather than XRandR. Runs the MultiMonitor tests there.
# Called by scripts/test.sh after the Windows build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
work=$root/build/wine-two-monitors
mkdir -p "$work"

free_display() {
  local n=$1
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  echo "$n"
}
wait_display() {
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$1 ] && return 0; sleep 0.1; done
  return 1
}

outer=$(free_display 150)
Xvfb :$outer -screen 0 1900x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
outer_pid=$!
wait_display "$outer"
inner=$(free_display $((outer + 1)))
DISPLAY=:$outer Xephyr :$inner +xinerama -origin 0,0 -screen 1024x768 -origin 1024,0 \
  -screen 600x800 -nolisten tcp >"$work/xephyr.log" 2>&1 &
inner_pid=$!
wait_display "$inner"
export DISPLAY=:$inner

. scripts/wine-env.sh
cleanup() {
  orvelle_wine_teardown
  kill "$inner_pid" "$outer_pid" 2>/dev/null || true
}
trap cleanup EXIT
orvelle_wine_setup "$work"
"$ORVELLE_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
# The setting is read when Wine's display driver starts: start it again.
"$ORVELLE_WINESERVER" -k >/dev/null 2>&1 || true
"$ORVELLE_WINESERVER" -w >/dev/null 2>&1 || true
"$ORVELLE_WINESERVER" -p >/dev/null 2>&1 || true
"$ORVELLE_WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
cd build/mingw64
timeout 300 "$ORVELLE_WINE" ./orvelle_wine_tests.exe --gtest_filter='MultiMonitor.*' 2>&1 |
  tee "$work/result.log"
# Passed, and not skipped for want of a second monitor.
grep -q "PASSED.*3 tests" "$work/result.log" && ! grep -q "SKIPPED\|FAILED" "$work/result.log"
