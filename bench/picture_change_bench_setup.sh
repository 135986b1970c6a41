#!/usr/bin/env bash
# Makes the picture for picture_change_bench: a 5120 x 2880 progressive JPEG with photo-like
# detail (a plasma fractal), about 4 MB. Kept out of the repository; made once per folder.
#   bench/picture_change_bench_setup.sh [output.jpg]
# then under Wine:
#   wine64 build/<dir>/picture_change_bench_win.exe Z:\path\to\output.jpg
set -euo pipefail
out=${1:-${TMPDIR:-/tmp}/orvelle-bench-5120x2880-progressive.jpg}
if [ ! -s "$out" ]; then
  convert_bin=/usr/bin/convert
  [ -x "$convert_bin" ] || convert_bin=$(command -v convert)
  "$convert_bin" -size 5120x2880 -seed 7 plasma:fractal -interlace Plane -quality 90 "$out"
fi
echo "$out"
