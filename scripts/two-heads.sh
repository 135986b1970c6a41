# Sourced by the scripts that run orvelle.scr on two monitors: a nested X server (Xephyr) with two
# Xinerama screens, a landscape 1024 x 768 at 0,0 and a portrait 600 x 800 at 1024,0, inside an
# Xvfb of its own, and a Wine prefix in work that takes its monitors from Xinerama rather than
# XRandR. two_heads_setup <work> leaves DISPLAY and the Wine variables exported;
# two_heads_teardown ends them.

two_heads_free_display() {
  local n=$1
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  echo "$n"
}
two_heads_wait_display() {
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$1 ] && return 0; sleep 0.1; done
  return 1
}

two_heads_setup() {
  local work=$1 outer inner
  mkdir -p "$work"
  outer=$(two_heads_free_display 150)
  Xvfb :$outer -screen 0 1900x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  TWO_HEADS_OUTER_PID=$!
  two_heads_wait_display "$outer"
  inner=$(two_heads_free_display $((outer + 1)))
  DISPLAY=:$outer Xephyr :$inner +xinerama -origin 0,0 -screen 1024x768 -origin 1024,0 \
    -screen 600x800 -nolisten tcp >"$work/xephyr.log" 2>&1 &
  TWO_HEADS_INNER_PID=$!
  two_heads_wait_display "$inner"
  export DISPLAY=:$inner
  . "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
  orvelle_wine_setup "$work"
  "$ORVELLE_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
  # The setting is read when Wine's display driver starts: start it again.
  "$ORVELLE_WINESERVER" -k >/dev/null 2>&1 || true
  "$ORVELLE_WINESERVER" -w >/dev/null 2>&1 || true
  "$ORVELLE_WINESERVER" -p >/dev/null 2>&1 || true
  "$ORVELLE_WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

two_heads_teardown() {
  orvelle_wine_teardown
  kill "${TWO_HEADS_INNER_PID:-}" "${TWO_HEADS_OUTER_PID:-}" 2>/dev/null || true
}
