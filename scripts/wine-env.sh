# Sourced by the scripts that run orvelle.scr under Wine. Sets up, once per run:
# a fresh Wine prefix, a display (Xvfb when there is none), a null ALSA device so that Wine has a
# wave-output device, and a persistent wineserver so each program start is quick.
# Leaves WINEPREFIX, DISPLAY, ALSA_CONFIG_PATH and ORVELLE_WINE exported.

orvelle_wine_setup() {
  local work=$1
  mkdir -p "$work"
  export ORVELLE_WINE=/usr/lib/wine/wine64
  [ -x "$ORVELLE_WINE" ] || ORVELLE_WINE=$(command -v wine64 || command -v wine)
  export WINEDEBUG=-all
  # A UTF-8 locale whose ANSI code page is Windows-1252: Unix file names carry any character,
  # while Cyrillic and CJK names stay outside the code page, as the Unicode tests need.
  export LC_ALL=C.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export ALSA_CONFIG_PATH=$work/asound.conf
  cat >"$ALSA_CONFIG_PATH" <<'ASOUND'
pcm.!default { type null }
ctl.!default { type hw card 0 }
ASOUND
  if [ -z "${DISPLAY:-}" ] || [ -n "${ORVELLE_FORCE_XVFB:-}" ]; then
    local n=99
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    ORVELLE_XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  fi
  export WINEPREFIX=$work/prefix
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$ORVELLE_WINE" wineboot -i >"$work/wineboot.log" 2>&1 || true
    "$(dirname "$ORVELLE_WINE")/wineserver" -w 2>/dev/null || wineserver -w 2>/dev/null || true
    # Without a window manager Wine waits for each closing window unless windows are unmanaged.
    "$ORVELLE_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$ORVELLE_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f >/dev/null 2>&1
  fi
  ORVELLE_WINESERVER=$(dirname "$ORVELLE_WINE")/wineserver
  [ -x "$ORVELLE_WINESERVER" ] || ORVELLE_WINESERVER=$(command -v wineserver)
  "$ORVELLE_WINESERVER" -p >/dev/null 2>&1 || true
  # Start Wine's background services now, with their output going nowhere: started by the first
  # test instead, they would inherit ctest's output pipe and hold that test open until its timeout.
  "$ORVELLE_WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

orvelle_wine_teardown() {
  [ -n "${ORVELLE_WINESERVER:-}" ] && "$ORVELLE_WINESERVER" -k >/dev/null 2>&1 || true
  [ -n "${ORVELLE_XVFB_PID:-}" ] && kill "$ORVELLE_XVFB_PID" 2>/dev/null || true
}
