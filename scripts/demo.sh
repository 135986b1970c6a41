#!/usr/bin/env bash
# Builds orvelle.scr and its program folder for 64-bit Windows and runs the slideshow under Wine
# with the bundled default theme.
#
#   bash scripts/demo.sh [seconds]
#
# On a desktop (DISPLAY set) the saver runs until you press a key or click, or for the given
# number of seconds. Without a display it runs on a virtual one (Xvfb) for about twenty
# seconds and saves screenshots under build/demo/.
# ORVELLE_FORCE_XVFB=1 uses the virtual display even on a desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

limit=${1:-}
if [ -n "$limit" ] && ! [[ $limit =~ ^[0-9]+$ ]]; then
  echo "usage: bash scripts/demo.sh [seconds]" >&2
  exit 2
fi

bash scripts/install-deps.sh

# ORVELLE_BUILD_DIR builds somewhere other than the mingw64 preset's folder.
build=${ORVELLE_BUILD_DIR:-build/mingw64}
echo "== Building the 64-bit program folder in $build"
if [ "$build" = build/mingw64 ]; then
  cmake --preset mingw64 >/dev/null
else
  cmake -S . -B "$build" --toolchain cmake/toolchain-mingw64.cmake -DCMAKE_BUILD_TYPE=Release \
    >/dev/null
fi
cmake --build "$build" --target program_folder -j "${ORVELLE_JOBS:-$(nproc)}"
program=$(cd "$build" && pwd)/program
if [ ! -f "$program/orvelle.scr" ]; then
  echo "demo: $program/orvelle.scr was not built" >&2
  exit 1
fi

headless=
if [ -z "${DISPLAY:-}" ] || [ -n "${ORVELLE_FORCE_XVFB:-}" ]; then
  headless=1
fi

demo=$root/build/demo
mkdir -p "$demo"
rm -f "$demo"/shot-*.png
. scripts/wine-env.sh
echo "== Preparing Wine (the first time takes a little while)"
orvelle_wine_setup "$demo"

saver_pid=
cleanup() {
  if [ -n "$saver_pid" ] && kill -0 "$saver_pid" 2>/dev/null; then
    kill "$saver_pid" 2>/dev/null || true
  fi
  orvelle_wine_teardown
}
trap cleanup EXIT

running() { kill -0 "$saver_pid" 2>/dev/null; }

# Waits up to $1 seconds for the saver to end on its own; true when it did.
wait_for_end() {
  local deadline=$((SECONDS + $1))
  while running; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
  return 0
}

# Ends the saver the way a user would (a key press) when xdotool is there, else stops Wine.
end_saver() {
  running || return 0
  if command -v xdotool >/dev/null; then
    xdotool key space 2>/dev/null || true
    wait_for_end 5 && return 0
  fi
  kill "$saver_pid" 2>/dev/null || true
  "$ORVELLE_WINESERVER" -k >/dev/null 2>&1 || true
  wait_for_end 5 || kill -9 "$saver_pid" 2>/dev/null || true
}

echo "== Running orvelle.scr /s from $program"
start=$SECONDS
(cd "$program" && exec "$ORVELLE_WINE" ./orvelle.scr /s) >"$demo/wine.log" 2>&1 &
saver_pid=$!

ended_early=
if [ -n "$headless" ]; then
  echo "No display: running on Xvfb ($DISPLAY) and taking screenshots."
  shots=()
  n=0
  for at in 3 8 13 18; do
    if ! wait_for_end $((start + at - SECONDS)); then
      n=$((n + 1))
      shot=$demo/shot-$n.png
      if import -window root -display "$DISPLAY" "$shot" 2>>"$demo/import.log"; then
        shots+=("$shot")
      fi
    else
      ended_early=1
      break
    fi
  done
  wait_for_end $((start + 20 - SECONDS)) || true
else
  if [ -n "$limit" ]; then
    echo "The saver ends after $limit seconds, or earlier at a key press or click."
    wait_for_end "$limit" || true
  else
    echo "Press a key or click to end the saver."
    while running; do sleep 0.5; done
  fi
fi

if running; then
  end_saver
elif [ -n "$headless" ] || [ $((SECONDS - start)) -lt 3 ]; then
  ended_early=1
fi
rc=0
wait "$saver_pid" 2>/dev/null || rc=$?
saver_pid=

if [ -n "$ended_early" ]; then
  echo "orvelle.scr ended by itself after $((SECONDS - start)) s (exit code $rc)."
  echo "Wine's output is in $demo/wine.log."
fi
if [ -n "$headless" ]; then
  if [ ${#shots[@]} -gt 0 ]; then
    echo "Screenshots:"
    printf '  %s\n' "${shots[@]}"
  else
    echo "No screenshots were taken."
  fi
fi
