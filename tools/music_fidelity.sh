#!/usr/bin/env bash
# The music fidelity benchmark (not a test): General MIDI songs rendered by
# the game's synthesizer and by FluidSynth with the FluidR3 GM SoundFont,
# and how alike they sound: the 12-bin chroma similarity of
# tools/music/chroma.h (50 ms steps, best alignment, mean cosine over the
# frames where FluidSynth sounds) and how much louder ours plays.
#   tools/music_fidelity.sh [WORKDIR]     (default build/fidelity)
# The songs: tools/music/fidelity_songs.py writes five, and the game's own
# two are exported from its data. Installs FluidSynth and the SoundFont
# when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
sf2=/usr/share/sounds/sf2/FluidR3_GM.sf2
tools/install_deps.sh fluidsynth fluid-soundfont-gm
dir=build/host
[ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$dir" -j "${ZARVEL_JOBS:-2}" --target zarvel-music music-fidelity game_data >/dev/null
out=${1:-build/fidelity}
mkdir -p "$out"
python3 tools/music/fidelity_songs.py "$out" >/dev/null
"$dir/zarvel-music" export "$dir/data/Fighters.mds" "$out/Fighters.mid" >/dev/null
"$dir/zarvel-music" export "$dir/data/sadness.mds" "$out/sadness.mid" >/dev/null

songs=(piano_pedal strings brass_winds drums_bass full_band Fighters sadness)
printf '%-12s %10s %9s\n' song similarity "level dB"
sum=0 worst=1
for name in "${songs[@]}"; do
  fluidsynth -ni -q -r 22050 -T wav -F "$out/$name.fluid.wav" "$sf2" "$out/$name.mid" >/dev/null 2>&1
  "$dir/zarvel-music" render "$out/$name.mid" "$out/$name.ours.wav" >/dev/null
  read -r similarity level _ < <("$dir/music-fidelity" "$out/$name.fluid.wav" "$out/$name.ours.wav")
  printf '%-12s %10s %9s\n' "$name" "$similarity" "$level"
  sum=$(awk -v a="$sum" -v b="$similarity" 'BEGIN { print a + b }')
  worst=$(awk -v a="$worst" -v b="$similarity" 'BEGIN { print (b < a) ? b : a }')
done
awk -v s="$sum" -v n=${#songs[@]} -v w="$worst" \
  'BEGIN { printf "%-12s %10.3f\n%-12s %10.3f\n", "mean", s / n, "lowest", w }'
