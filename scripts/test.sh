#!/usr/bin/env bash
# Runs every test: the portable code's unit tests (native, with sanitizers), the 64-bit and
# 32-bit Windows builds, the installer and zips built from them, and the end-to-end tests of
# orvelle.scr and of the installer under Wine on Xvfb.
#   test.sh           everything
#   test.sh --quick   the format and layer checks and the native unit tests only
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
quick=false
case "${1:-}" in
  "") ;;
  --quick) quick=true ;;
  *) echo "test.sh: unknown option '$1' (--quick runs the quick checks only)" >&2; exit 2 ;;
esac
if $quick; then
  bash scripts/install-deps.sh native
else
  bash scripts/install-deps.sh
fi

werror=ON
jobs=$(nproc)

echo "== Format check"
if command -v clang-format >/dev/null; then
  files=$(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 2>/dev/null || true)
  [ -z "$files" ] || clang-format --dry-run --Werror $files
fi

echo "== Include layers"
bash scripts/check-layers.sh

echo "== Native unit tests"
cmake --preset native -DORVELLE_WERROR=$werror >/dev/null
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"

if $quick; then
  exit 0
fi

echo "== 32-bit Windows build"
cmake --preset mingw32 -DORVELLE_WERROR=$werror >/dev/null
cmake --build build/mingw32 -j "$jobs"

echo "== 64-bit Windows build and end-to-end tests under Wine"
cmake --preset mingw64 -DORVELLE_WERROR=$werror >/dev/null
cmake --build build/mingw64 -j "$jobs" --target all orvelle_wine_tests

echo "== Installer and zips"
ORVELLE_JOBS=$jobs bash scripts/make-installer.sh
# The installer tests take the 64-bit build of the installer; once named, it must be there.
ORVELLE_INSTALLER=$(ls -t "$root"/build/installer/orvelle-*-setup-amd64.exe | head -n 1)
export ORVELLE_INSTALLER
. scripts/wine-env.sh
trap orvelle_wine_teardown EXIT
orvelle_wine_setup "$root/build/wine"
ctest --test-dir build/mingw64 --output-on-failure

echo "== The full-screen run on two monitors"
bash scripts/multi-monitor-test.sh
