#!/usr/bin/env bash
# Measures the synthesizer's General MIDI patches again from FluidSynth
# with the FluidR3 GM SoundFont and writes them over the generated tables
# game/media/synth_family_*.cpp (one per program family: envelopes,
# harmonics and note levels). Each program plays a probe song (see
# tools/music/patch_measure.h) that FluidSynth renders at 22,050 Hz with
# its default gain, reverberation and chorus, as the fidelity benchmark
# hears it; measure-patches reads the patches back from the renders.
#   tools/measure_patches.sh [WORKDIR]     (default build/patches)
# Then tools/music_fidelity.sh tells whether the new tables sound closer.
# Installs FluidSynth and the SoundFont when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
sf2=/usr/share/sounds/sf2/FluidR3_GM.sf2
tools/install_deps.sh fluidsynth fluid-soundfont-gm
dir=build/host
[ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$dir" -j "${ZARVEL_JOBS:-2}" --target measure-patches >/dev/null
out=${1:-build/patches}
mkdir -p "$out"
"$dir/measure-patches" probes "$out"
export sf2
ls "$out"/program_*.mid | xargs -P "${ZARVEL_JOBS:-2}" -I{} sh -c \
  'fluidsynth -ni -q -r 22050 -T wav -F "${1%.mid}.wav" "$sf2" "$1" >/dev/null 2>&1' sh {}
"$dir/measure-patches" tables "$out" game/media
echo "written: game/media/synth_family_*.cpp"
