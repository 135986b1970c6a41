#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest. The test script creates one prefix per run and
# exports WINEPREFIX and DISPLAY; this wrapper only finds the launcher.
set -u
wine=${ORVELLE_WINE:-}
if [ -z "$wine" ]; then
  for candidate in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null)" "$(command -v wine 2>/dev/null)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then wine=$candidate; break; fi
  done
fi
[ -n "$wine" ] || { echo "wine-run.sh: no Wine launcher found" >&2; exit 127; }
export WINEDEBUG=${WINEDEBUG:--all}
exec "$wine" "$@"
