#!/usr/bin/env bash
# The full-screen run on two monitors (see scripts/two-heads.sh for the display): runs the
# MultiMonitor tests there. Called by scripts/test.sh after the Windows build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
work=$root/build/wine-two-monitors

. scripts/two-heads.sh
trap two_heads_teardown EXIT
two_heads_setup "$work"
cd build/mingw64
timeout 300 "$ORVELLE_WINE" ./orvelle_wine_tests.exe --gtest_filter='MultiMonitor.*' 2>&1 |
  tee "$work/result.log"
# Passed, and not skipped for want of a second monitor.
grep -q "PASSED.*3 tests" "$work/result.log" && ! grep -q "SKIPPED\|FAILED" "$work/result.log"
