#!/usr/bin/env bash
# Makes tests/wine/data/tone-c.mp3, the MP3 the music tests play: the short tone tone-a.wav
# (scripts/make_music.py) encoded at 32 kbit/s by Debian's lame, installed when missing.
set -eu
cd "$(dirname "$0")/.."
if ! command -v lame >/dev/null; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd=sudo
  $sudo_cmd apt-get install -y -qq --no-install-recommends lame >/dev/null
fi
lame --quiet --noreplaygain -b 32 tests/wine/data/tone-a.wav tests/wine/data/tone-c.mp3
