#!/usr/bin/env bash
# Measures the native program on the display it is given: the frame pacing
# over N stage frames (an invulnerable first stage, M held at its start),
# timed as tools/frame_stats.sh times tzk.exe's (wait end to wait end),
# the whole process's processor share meanwhile, and what showing a frame
# costs at the window's scale.
#   xvfb-run -s '-screen 0 2048x1536x24' tools/native_pacing.sh [--scale N] [--frames N]
# Needs xdotool; keeps its scores and lock in a folder of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
scale=3 frames=500
while [ $# -gt 0 ]; do
  case $1 in
    --scale) scale=$2; shift 2 ;;
    --frames) frames=$2; shift 2 ;;
    *) echo "usage: tools/native_pacing.sh [--scale N] [--frames N]" >&2; exit 2 ;;
  esac
done
[ -n "${DISPLAY:-}" ] || { echo "native_pacing: no display; run it under xvfb-run" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME=$work/data
# SDL's dummy device plays the stream away in real time where there is no
# sound card (as under Xvfb); SDL_AUDIODRIVER picks another.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

ZARVEL_FRAME_LOG=$work/frames.txt build/native/zarvel --scale "$scale" 2>"$work/err" &
pid=$!
window=$(xdotool search --sync --name '^ZARVEL$' | head -n1)
sleep 2
xdotool windowactivate "$window" 2>/dev/null || true
xdotool keydown m keydown z
sleep 4
xdotool keyup z
sleep 2
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
ticks=$(getconf CLK_TCK)
c0=$(cpu) t0=$(date +%s.%N)
sleep "$(awk -v n="$frames" 'BEGIN {print n * 0.061 + 1}')"
c1=$(cpu) t1=$(date +%s.%N)
xdotool keyup m key Escape
sleep 1
xdotool key y
sleep 2
xdotool key Return
wait "$pid" || true

tools/frame_stats.sh "$work/frames.txt" "$frames"
awk -v c="$((c1 - c0))" -v hz="$ticks" -v t0="$t0" -v t1="$t1" \
  'BEGIN {printf "processor share of the whole program: %.1f%% of a core\n", 100 * c / hz / (t1 - t0)}'
grep -E 'presents at scale|audio queue' "$work/err" | sed 's/^zarvel: //'
