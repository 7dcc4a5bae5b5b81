#!/usr/bin/env bash
# Plays ZARVEL: builds what is missing and starts the native Linux program
# (build/native/zarvel) in a scaled window on this display; with --wine, the
# Windows program under Wine in a 640 x 480 virtual desktop window; with
# --web, the page (build/web/site) served on 127.0.0.1 for a browser.
#   ./play.sh [--stage a|b|c] [--scale N] [--fullscreen] [--wine [--window WxH]] [--web]
#     --stage       the stage the first game starts at (the program's -a, -b, -c)
#     --scale       the window's scale, 1 to 8 (default: the largest that fits, at most 3)
#     --fullscreen  full screen (Alt+Enter switches in the game)
#     --wine        tzk.exe under Wine instead; --window sizes the Wine desktop (default 640x480)
#     --web         the page: built, served on 127.0.0.1 (its address printed) and
#                   opened in the desktop's browser where there is one; Ctrl+C stops it
# Under Wine the 32-bit release runs where this machine runs 32-bit
# programs; the x86_64 build of the same sources elsewhere. Esc or F12 asks
# to quit.
set -euo pipefail
cd "$(dirname "$0")"

usage() {
  sed -n 6,13p "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

stage=""
window=640x480
wine=0
web=0
page_query=""
native_args=()
while [ $# -gt 0 ]; do
  case $1 in
    --stage)
      [ $# -ge 2 ] || usage
      case $2 in a|b|c) stage=-$2 page_query=stage=$2 native_args+=(--stage "$2") ;; *) echo "play.sh: --stage takes a, b or c" >&2; exit 2 ;; esac
      shift 2 ;;
    --scale)
      [ $# -ge 2 ] || usage
      [[ $2 =~ ^[1-8]$ ]] || { echo "play.sh: --scale takes 1 to 8" >&2; exit 2; }
      native_args+=(--scale "$2")
      shift 2 ;;
    --fullscreen) native_args+=(--fullscreen); shift ;;
    --wine) wine=1; shift ;;
    --web) web=1; shift ;;
    --window)
      [ $# -ge 2 ] || usage
      [[ $2 =~ ^[0-9]{3,4}x[0-9]{3,4}$ ]] || { echo "play.sh: --window takes WIDTHxHEIGHT, e.g. 1280x960" >&2; exit 2; }
      window=$2
      shift 2 ;;
    -h|--help) usage ;;
    *) echo "play.sh: unknown option $1" >&2; usage ;;
  esac
done

if [ "$web" -eq 1 ]; then
  tools/install_deps.sh web
  # The page's data are drawn by the host tree's asset tool, as the other
  # trees' are.
  if [ ! -f build/host/build.ninja ]; then
    cmake -S . -B build/host -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build build/host -j "${ZARVEL_JOBS:-2}" --target make_assets
  if [ ! -f build/web/build.ninja ]; then
    cmake -S . -B build/web -G Ninja -DZARVEL_HOST_TOOLS_DIR="$PWD/build/host/bin" \
      -DCMAKE_TOOLCHAIN_FILE="$(em-config EMSCRIPTEN_ROOT)/cmake/Modules/Platform/Emscripten.cmake"
  fi
  cmake --build build/web -j "${ZARVEL_JOBS:-2}" --target zarvel_site
  exec node tools/web/serve.mjs build/web/site --open ${page_query:+--query "$page_query"}
fi

if [ -z "${DISPLAY:-}" ] && { [ "$wine" -eq 1 ] || [ -z "${WAYLAND_DISPLAY:-}" ]; }; then
  echo "play.sh: no display (DISPLAY is not set): start it from a desktop session, under 'xvfb-run ./play.sh' to try it headless, or play on the simulator, build/host/tzk-sim (see README)" >&2
  exit 2
fi

# Only what this way of playing needs (not the test tiers'): as a user who
# cannot install, one line names the missing packages and the command.
if [ "$wine" -eq 1 ]; then tools/install_deps.sh wine; else tools/install_deps.sh native; fi

if [ "$wine" -eq 0 ]; then
  native=${ZARVEL_NATIVE_BUILD:-build/native}  # another built tree, as install_native.sh takes it
  if [ ! -f "$native/build.ninja" ]; then
    cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVEL_NATIVE=ON \
      -DZARVEL_BENCHMARKS=OFF
  fi
  cmake --build "$native" -j "${ZARVEL_JOBS:-2}" --target zarvel game_data
  exec "$native/zarvel" "${native_args[@]}"
fi

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
