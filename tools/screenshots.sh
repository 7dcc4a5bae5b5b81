#!/usr/bin/env bash
# The README's pictures, made by the simulator from the real game:
#   tools/screenshots.sh [OUT_DIR]     (default docs/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshots}
dir=build/host
[ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$dir" -j "${ZARVEL_JOBS:-2}" --target tzk-sim
mkdir -p "$out"
sim=$dir/tzk-sim
# Frame numbers count every frame waited for, the title's first one included.
"$sim" --keys tools/shots/title.keys --frames 200 --shot 150:"$out/title_screen.png"
"$sim" --stage 0 --keys tools/shots/stage0.keys --frames 1500 \
  --shot 200:"$out/stage0_early.png" --shot 1400:"$out/terrain_corridor.png"
"$sim" --stage 2 --keys tools/shots/stage2.keys --frames 3200 \
  --shot 2720:"$out/boss_attack.png" --shot 3150:"$out/fade_to_black.png"
ls -l "$out"
