#!/usr/bin/env bash
# Plays ZARVEL: builds what is missing and starts the Windows program under
# Wine in a 640 x 480 virtual desktop window on this display.
#   ./play.sh [--stage a|b|c] [--window WxH]
#     --stage   the stage the first game starts at (the program's -a, -b, -c)
#     --window  the size of the Wine desktop window (default 640x480)
# The 32-bit release runs where this machine runs 32-bit programs; the
# x86_64 build of the same sources elsewhere. Esc or F12 asks to quit.
set -euo pipefail
cd "$(dirname "$0")"

usage() {
  sed -n 4,6p "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

stage=""
window=640x480
while [ $# -gt 0 ]; do
  case $1 in
    --stage)
      [ $# -ge 2 ] || usage
      case $2 in a|b|c) stage=-$2 ;; *) echo "play.sh: --stage takes a, b or c" >&2; exit 2 ;; esac
      shift 2 ;;
    --window)
      [ $# -ge 2 ] || usage
      [[ $2 =~ ^[0-9]{3,4}x[0-9]{3,4}$ ]] || { echo "play.sh: --window takes WIDTHxHEIGHT, e.g. 1280x960" >&2; exit 2; }
      window=$2
      shift 2 ;;
    -h|--help) usage ;;
    *) echo "play.sh: unknown option $1" >&2; usage ;;
  esac
done

if [ -z "${DISPLAY:-}" ]; then
  echo "play.sh: no display (DISPLAY is not set): start it from a desktop session, under 'xvfb-run ./play.sh' to try it headless, or play on the simulator, build/host/tzk-sim (see README)" >&2
  exit 2
fi

tools/install_deps.sh

if tools/probe_32bit.sh; then
  dir=build/win32 toolchain=cmake/mingw-i686.cmake
else
  dir=build/win64 toolchain=cmake/mingw-x86_64.cmake
fi
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=$toolchain
fi
cmake --build "$dir" -j "${ZARVEL_JOBS:-2}" --target tzk game_data

# The game reads its bitmaps and keeps score.dat in its current folder: the
# data folder of the build, where the bitmaps are drawn.
cd "$dir/data"
export ZARVEL_WINE_DESKTOP=$window
export ZARVEL_WINE_TIMEOUT=${ZARVEL_WINE_TIMEOUT:-86400}
exec ../../../tools/wine_run.sh ../tzk.exe $stage
