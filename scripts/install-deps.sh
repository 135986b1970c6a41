#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing: when
# every one is there, the package manager is not called at all. Wine plays MP3, FLAC and MP4
# audio through GStreamer, hence its base and good plug-ins.
#   install-deps.sh          everything (both Windows builds, the installer, Wine, the displays)
#   install-deps.sh native   the portable code's build, its unit tests and the format check
set -eu
native="cmake g++ make ninja-build libgtest-dev googletest clang-format"
windows="g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64
  binutils-mingw-w64-i686 wine64 wine xvfb xauth x11-apps imagemagick python3 libx11-6 libxtst6
  xserver-xephyr nsis zip gstreamer1.0-plugins-base gstreamer1.0-plugins-good"
case "${1:-all}" in
  native) packages=$native ;;
  all) packages="$native $windows" ;;
  *) echo "install-deps.sh: unknown set '$1' (native or all)" >&2; exit 2 ;;
esac
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd=sudo
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
