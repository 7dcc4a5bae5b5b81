#!/usr/bin/env bash
# frame_stats.sh LOG [N]: the pacing of the first N stage frames (default
# 500) of a frame log written by tzk.exe with ZARVEL_FRAME_LOG=LOG set.
# A frame is timed from the end of one frame wait to the end of the next:
# its work (update and draw), presenting it, and the wait for its 60 ms.
# Prints the figures (mean, share between 60 and 63 ms, shortest, longest,
# the game thread's processor time), then a histogram of the frame times
# and one of each part. The line before a stage's first frame (its
# introduction) is not a frame, nor are the waits of a paused, inactive
# or quitting game (no work before them, or no end). Logs of three
# columns (before the parts were timed) give the time between wait starts
# instead.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 LOG [N]" >&2; exit 2; }
n=${2:-500}
awk -v n="$n" '
  function bin(ms, edges,   k, e, lo) {
    k = split(edges, e, " ")
    if (ms < e[1]) return sprintf("%6s-%-5s", "", e[1])
    for (lo = 1; lo < k; lo++)
      if (ms < e[lo + 1]) return sprintf("%6s-%-5s", e[lo], e[lo + 1])
    return sprintf("%6s-%-5s", e[k], "")
  }
  function add(part, ms, edges) {
    h[part, bin(ms, edges)]++
    sum[part] += ms
    if (ms > most[part]) most[part] = ms
  }
  function show(part, edges,   k, e, i, label, c) {
    printf "%s: mean %.2f ms, longest %.2f ms\n", part, sum[part] / count, most[part]
    k = split(edges, e, " ")
    for (i = 0; i <= k; i++) {
      label = i == 0 ? sprintf("%6s-%-5s", "", e[1]) : i == k ? sprintf("%6s-%-5s", e[k], "") \
            : sprintf("%6s-%-5s", e[i], e[i + 1])
      c = h[part, label] + 0
      if (c) printf "  %s ms %5d %s\n", label, c, substr(bar, 1, int(50 * c / count + 0.5))
    }
  }
  BEGIN {
    bar = "##################################################"
    frame_edges = "50 55 59 60 61 62 63 65 70 80 100"
    part_edges = "0 0.1 0.5 1 2 5 10 20 40 60 70"
  }
  /^#/ { next }
  $1 <= 0 || count >= n || (NF >= 6 && ($4 == 0 || $6 < 0)) { next }
  {
    parts = NF >= 6
    ms = parts ? ($4 + $5 + $6) / 1000 : $2 / 1000
    count++; cpus += $3 / 1000; wall += $2 / 1000
    if (count == 1 || ms < least) least = ms
    if (ms >= 60 && ms < 63) paced++
    if (ms >= 60 && ms <= 62) tight++
    if (ms < 60) short++
    if (ms > 70) long++
    add("frame", ms, frame_edges)
    if (parts) {
      add("work", $4 / 1000, part_edges)
      add("present", $5 / 1000, part_edges)
      add("wait", $6 / 1000, part_edges)
    }
  }
  END {
    if (count == 0) { print "no stage frames in the log"; exit 1 }
    printf "%d stage frames: mean %.2f ms, %.1f%% between 60 and 63 ms (%.1f%% between 60 and 62), %d under 60 ms, %d above 70 ms, shortest %.2f ms, longest %.2f ms\n",
           count, sum["frame"] / count, 100 * paced / count, 100 * tight / count, short, long, least, most["frame"]
    printf "game thread processor time: %.1f ms a frame (%.0f%% of the frame)\n",
           cpus / count, 100 * cpus / wall
    show("frame", frame_edges)
    if (parts) { show("work", part_edges); show("present", part_edges); show("wait", part_edges) }
  }' "$1"
