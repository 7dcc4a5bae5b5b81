#!/usr/bin/env bash
# frame_stats.sh LOG [N]: the pacing of the first N stage frames (default
# 500) of a frame log written by tzk.exe with ZARVEL_FRAME_LOG=LOG set:
# a histogram of the frame times, the share between 60 and 70 ms, the
# longest frame, and the game thread's processor time per frame.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 LOG [N]" >&2; exit 2; }
n=${2:-500}
awk -v n="$n" '
  /^#/ || $1 < 0 { next }
  count >= n { next }
  {
    ms = $2 / 1000; cpu = $3 / 1000
    count++; wall += ms; cpus += cpu
    if (ms > longest) longest = ms
    if (ms >= 60 && ms < 70) pace++
    bin = ms < 50 ? "  0-50" : ms >= 100 ? "100-" : sprintf("%3d-%d", int(ms / 5) * 5, int(ms / 5) * 5 + 5)
    bins[bin]++
  }
  END {
    if (count == 0) { print "no stage frames in the log"; exit 1 }
    printf "%d stage frames: mean %.1f ms, longest %.1f ms, %.1f%% between 60 and 70 ms\n",
           count, wall / count, longest, 100 * pace / count
    printf "game thread processor time: %.1f ms a frame (%.0f%% of the frame)\n",
           cpus / count, 100 * cpus / wall
    for (b in bins) printf "%7s ms %5d %s\n", b, bins[b], substr("##################################################", 1, int(50 * bins[b] / count + 0.5))
  }' "$1" | { read -r a; read -r b; echo "$a"; echo "$b"; sort -n -k1,1; }
