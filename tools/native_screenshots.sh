#!/usr/bin/env bash
# The README's pictures of the native program, taken from a virtual X
# server: the window at scale 2 during the first stage, full screen on a
# 1920 x 1080 display (the title, with black bars round the 2x picture), and
# the exit question the window's close button opens (under a window manager
# with title bars, on an 800 x 600 display).
# Needs xdotool, ImageMagick and matchbox-window-manager (install_deps.sh).
#   tools/native_screenshots.sh [OUT_DIR]     (default docs/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshots}")
mkdir -p "$out"
[ -x build/native/zarvel ] || { echo "native_screenshots: build build/native first (./play.sh does)" >&2; exit 2; }

if [ "${NATIVE_SHOT:-}" = window ]; then
  build/native/zarvel --scale 2 &
  pid=$!
  id=$(xdotool search --sync --name '^ZARVEL$' | head -n1)
  sleep 2
  xdotool windowactivate "$id" 2>/dev/null || true
  xdotool keydown m keydown z
  sleep 3
  xdotool keyup m
  sleep 9
  import -window "$id" "$out/native_window_2x.png"
  xdotool keyup z
  kill "$pid"
  exit 0
fi
if [ "${NATIVE_SHOT:-}" = full ]; then
  # Full screen is the window manager's state: a bare X server has none.
  matchbox-window-manager -use_titlebar no >/dev/null 2>&1 &
  sleep 1
  build/native/zarvel --fullscreen &
  pid=$!
  xdotool search --sync --name '^ZARVEL$' >/dev/null
  sleep 4
  import -window root "$out/native_fullscreen.png"
  kill "$pid"
  exit 0
fi
if [ "${NATIVE_SHOT:-}" = close ]; then
  matchbox-window-manager -use_titlebar yes >/dev/null 2>&1 &
  sleep 1
  build/native/zarvel --scale 1 &
  pid=$!
  xdotool search --sync --name '^ZARVEL$' >/dev/null
  sleep 4
  xdotool mousemove 788 9 click 1  # the title bar's close button, at its right end
  sleep 2
  import -window root "$out/native_close_question.png"
  kill "$pid"
  exit 0
fi
export XDG_DATA_HOME=$(mktemp -d) SDL_AUDIODRIVER=dummy
trap 'rm -rf "$XDG_DATA_HOME"' EXIT
NATIVE_SHOT=window xvfb-run -a -s '-screen 0 1600x1200x24' "$0" "$out"
NATIVE_SHOT=full xvfb-run -a -s '-screen 0 1920x1080x24' "$0" "$out"
NATIVE_SHOT=close xvfb-run -a -s '-screen 0 800x600x24' "$0" "$out"
ls -l "$out"/native_*.png
