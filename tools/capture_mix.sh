#!/usr/bin/env bash
# capture_mix.sh [--seconds N] [--stages abc] [win64|win32]: what the real tzk.exe sends to
# a speaker under Wine, for each stage: Wine's PulseAudio driver playing
# into a private PulseAudio server's null sink (real time, as a sound card
# paces it), parec recording the sink's monitor as 16-bit stereo at
# 44.1 kHz, for N seconds (default 90) of the stage with fire held and the
# ship invulnerable (M held at the stage's start). Prints, per stage, the
# samples at full scale, the peak and the RMS level; ends non-zero when a
# sample reached full scale or a stage was silent. The recordings are kept
# as build/TREE/capture/stage-a.raw ... (raw s16le stereo). Installs
# pulseaudio and pulseaudio-utils when missing; builds the tree's programs
# first. It plays in real time: run it on an otherwise idle machine.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
seconds=90
stages=abc
tree=win64
while [ $# -gt 0 ]; do
  case $1 in
    --seconds) seconds=$2; shift 2 ;;
    --stages) stages=$2; shift 2 ;;
    win64|win32) tree=$1; shift ;;
    *) sed -n 2,12p "$0" | sed 's/^# \{0,1\}//' >&2; exit 2 ;;
  esac
done
build=build/$tree
[ -f "$build/build.ninja" ] || { echo "capture_mix: no $build (run ./test.sh first)" >&2; exit 2; }
tools/install_deps.sh pulseaudio pulseaudio-utils >/dev/null || exit 1
cmake --build "$build" -j "${ZARVEL_JOBS:-2}" --target tzk zdrive game_data >/dev/null || exit 1
mkdir -p "$build/capture"

failed=0
for stage in $(echo "$stages" | grep -o '[abc]'); do
  out=$build/capture/stage-$stage.raw
  rm -f "$out"
  ZARVEL_CAPTURE_STAGE=$stage ZARVEL_CAPTURE_SECONDS=$seconds ZARVEL_E2E_BUILD=$build \
    ZARVEL_E2E_TIMEOUT=$((seconds + 180)) tests/e2e/run_e2e.sh tools/capture_mix_stage.sh &&
    cp "$build/e2e/work/capture_mix_stage/capture.raw" "$out"
  if [ ! -s "$out" ]; then
    echo "stage $stage: no recording"
    failed=1
    continue
  fi
  # Samples at full scale (32767 or -32768), the largest magnitude, RMS in dBFS.
  od -An -v -td2 -w2 "$out" | awk -v stage="$stage" '
    { s = $1 + 0; a = s < 0 ? -s : s; n++; sum += s * s
      if (a > peak) peak = a
      if (s >= 32767 || s <= -32768) full++ }
    END {
      rms = n ? sqrt(sum / n) : 0
      printf "stage %s: %d samples (%.1f s), %d at full scale, peak %d (%.2f dBFS), RMS %.1f dBFS\n",
        stage, n, n / 88200, full, peak, peak ? 20 * log(peak / 32768) / log(10) : -999,
        rms ? 20 * log(rms / 32768) / log(10) : -999
      exit (full > 0 || peak == 0)
    }' || failed=1
done
exit $failed
