#!/usr/bin/env bash
# Pictures of the configuration dialog for a person to look at: each tab page of the theme editor
# and each small dialog, at 96, 144 and 192 dpi (100, 150 and 200 %), saved as PNG files in
# build/shots/. Runs the Wine test driver's screenshot test on a virtual display large enough for
# the largest.
#
#   bash scripts/dialog-shots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh

cmake --preset mingw64 >/dev/null
cmake --build build/mingw64 -j "${ORVELLE_JOBS:-2}" --target all orvelle_wine_tests

shots=$root/build/shots
mkdir -p "$shots"
rm -f "$shots"/*.png

# A display of our own, larger than the tests' default, so the 192 dpi window fits.
n=120
while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
Xvfb :$n -screen 0 2048x1536x24 -nolisten tcp >"$shots/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=:$n
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done

. scripts/wine-env.sh
cleanup() {
  orvelle_wine_teardown
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

for dpi in ${ORVELLE_SHOTS_DPIS:-96 144 192}; do
  work=$root/build/shots/wine-$dpi
  orvelle_wine_setup "$work"
  "$ORVELLE_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f \
    >/dev/null 2>&1
  "$ORVELLE_WINESERVER" -k >/dev/null 2>&1 || true
  "$ORVELLE_WINESERVER" -p >/dev/null 2>&1 || true
  ORVELLE_SHOTS_DIR=$shots ORVELLE_SHOTS_TAG=$dpi \
    "$ORVELLE_WINE" build/mingw64/orvelle_wine_tests.exe --gtest_filter='ConfigDialog.Screenshots'
  "$ORVELLE_WINESERVER" -k >/dev/null 2>&1 || true
done
echo "Screenshots:"
ls -1 "$shots"/*.png | sed 's/^/  /'
